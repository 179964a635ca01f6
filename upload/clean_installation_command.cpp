#include "upload/clean_installation_command.h"

#include "core/store_connection_ops.h"

namespace quarvel {

std::string CleanInstallationInformation() {
  return "To eliminate the occurrence of errors to importing data with the same ID products and ID "
         "categories "
         "you need to import the data into the clean tables (will be cleared only some of the tables related "
         "to the products and categories).";
}

std::string HostingHelpCaption() {
  return "Required parameters hosting and desirable changes (need check and fix)";
}

std::string HostingHelpUrl() { return "https://mariadb.com/kb/en/server-system-variables/"; }

std::optional<CleanInstallationResult> RunCleanInstallation(
    Session& session, std::vector<std::string>& upload_log, Ui& ui,
    const std::function<void()>& show_store_settings) {
  if (!session.store.IsOpen()) {
    ui.Error("Not connected to PrestaShop !");
    return std::nullopt;
  }
  if (!ui.Ask(kCleanInstallationQuestion)) return std::nullopt;
  upload_log.clear();
  upload_log.push_back(kCleanInstallationHeading);

  CleanInstallationResult result = CleanInstallation(session.store, session.TablePrefix(),
                                                     session.options.Text(OptionId::ConToPresta_Database),
                                                     session.lists.cleaning_tables, upload_log, ui);
  if (result.connection_failure) {
    const platform::StoreError& failure = *result.connection_failure;
    const std::string text = failure.kind() + " : " + failure.message();
    upload_log.push_back(text);
    ui.Error("Can not connect to the database PrestaShop (Error : [" + text +
             "]), may need to reconnect to the database PrestaShop !");
    if (show_store_settings) show_store_settings();
    TestStoreConnection(session, ui);
  }
  return result;
}

}  // namespace quarvel
