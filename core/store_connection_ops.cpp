#include "core/store_connection_ops.h"

#include <charconv>
#include <exception>
#include <optional>

#include "core/error_text.h"
#include "core/log_file.h"
#include "core/setting_values.h"
#include "core/settings.h"
#include "core/text.h"

namespace quarvel {

namespace {

using Id = OptionId;

constexpr const char* kStructureTables[] = {"category", "product", "configuration", "feature", "image",
                                            "manufacturer", "supplier", "shop", "tag", "stock"};

void SetStoreState(Session& session, std::string status) {
  session.store_state.connected = session.store.IsOpen();
  if (!status.empty()) session.store_state.status = std::move(status);
  session.NotifyConnectionState();
}

std::optional<double> ParseDecimal(const std::string& text) {
  std::string trimmed = Trim(text);
  double value = 0;
  auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (trimmed.empty() || ec != std::errc() || end != trimmed.data() + trimmed.size()) return std::nullopt;
  return value;
}

void StoreDefault(StoreDefaults& defaults, const std::string& name, const std::string& value) {
  auto set_int = [&](int& field) {
    if (std::optional<int> n = ParseInteger(value)) field = *n;
  };
  if (name == "PS_SHOP_DEFAULT") set_int(defaults.default_shop_id);
  else if (name == "PS_LANG_DEFAULT") set_int(defaults.default_lang_id);
  else if (name == "PS_CURRENCY_DEFAULT") set_int(defaults.default_currency_id);
  else if (name == "PS_TAX") set_int(defaults.tax);
  else if (name == "PS_USE_ECOTAX") {
    if (std::optional<double> d = ParseDecimal(value)) defaults.use_ecotax = *d;
  } else if (name == "PS_IMAGE_QUALITY") {
    defaults.image_type = value;
  }
}

std::string FirstText(platform::StoreConnection& store, const std::string& sql) {
  platform::StoreCursor cursor = store.Query(sql);
  return cursor.AtEnd() ? std::string() : cursor.Text(std::size_t{0});
}

}  // namespace

void TestStoreConnection(Session& session, Ui& ui) {
  session.store_log.clear();
  session.store_defaults = StoreDefaults{};
  session.store.Close();
  SetStoreState(session, "");

  std::optional<int> port = ParseInteger(session.options.Text(Id::ConToPresta_Port));
  if (!port || *port < 0 || *port > 65535) {
    session.options.SetText(Id::ConToPresta_Port, "3306");
    port = 3306;
  }
  platform::StoreConnectionParams params;
  params.host = session.options.Text(Id::ConToPresta_Server);
  params.port = static_cast<unsigned>(*port);
  params.database = session.options.Text(Id::ConToPresta_Database);
  params.user = session.options.Text(Id::ConToPresta_User);
  params.password = session.options.Text(Id::ConToPresta_Pass);
  try {
    session.store.Connect(params);
  } catch (const std::exception& e) {
    session.store.Close();
    SetStoreState(session, "Setting for PrestaShop : Error connecting to PrestaShop [" + ErrorText(e) + "]");
    return;
  }
  try {
    SaveStoreConnection(session);
  } catch (const std::exception& e) {
    ui.Error(e.what());
  }
  SetStoreState(session, "");
  TestStoreStructure(session, ui);
}

void TestStoreStructure(Session& session, Ui& ui) {
  std::vector<std::string>& log = session.store_log;
  log.clear();
  if (!session.store.IsOpen()) return;
  const std::string& prefix = session.TablePrefix();
  const std::string rule(24, '-');

  log.push_back("CHECKING AVAILABILITY OF TABLES");
  log.push_back("  ");
  for (const char* name : kStructureTables) {
    std::string table = prefix + name;
    try {
      session.store.Query("SELECT * FROM " + table + " LIMIT 1");
      std::string count = FirstText(session.store, "SELECT count(*) FROM " + table + " LIMIT 1");
      log.push_back("Table [" + table + "] is Ok. " + count + " rows.");
    } catch (const std::exception& e) {
      log.push_back(rule + "\r" + ErrorText(e) + "\r" + rule);
    }
    ui.Pump();
  }

  log.push_back("  ");
  log.push_back("TABLE CONFIGURATION");
  log.push_back("  ");
  bool configuration_failed = false;
  try {
    for (auto c = session.store.Query("SELECT name, value FROM " + prefix + "configuration ORDER BY name");
         !c.AtEnd(); c.Next()) {
      std::string name = c.Text(std::size_t{0});
      std::string value = c.Text(std::size_t{1});
      log.push_back(name + " = " + value);
      StoreDefault(session.store_defaults, Trim(name), value);
    }
  } catch (const std::exception& e) {
    log.push_back(ErrorText(e));
    configuration_failed = true;
  }

  log.push_back("  ");
  log.push_back("VALUES BY DEFAULT ");
  log.push_back("  ");
  std::string status = "Setting for PrestaShop : ";
  const StoreDefaults& d = session.store_defaults;
  struct Lookup {
    const char* label;
    const char* table;
    const char* id_column;
    int id;
  } lookups[] = {{"ID_shop = ", "shop", "id_shop", d.default_shop_id},
                 {"ID_lang = ", "lang", "id_lang", d.default_lang_id},
                 {"ID_currency = ", "currency", "id_currency", d.default_currency_id}};
  try {
    for (const Lookup& l : lookups) {
      std::string name = FirstText(session.store, std::string("SELECT name FROM ") + prefix + l.table + " WHERE " +
                                                      l.id_column + " = " + std::to_string(l.id));
      std::string line = l.label + std::to_string(l.id) + " [" + name + "]";
      log.push_back(line);
      status += line + " | ";
    }
  } catch (const std::exception& e) {
    // A store whose configuration could not be read fails here too; its status below tells where
    // to look. Otherwise the failure is shown and the connection stays open.
    if (!configuration_failed) {
      ui.Error(ErrorText(e));
      SetStoreState(session, "");
      return;
    }
  }
  std::string image = "IMG_type = " + d.image_type;
  log.push_back(image);
  status += image;

  if (configuration_failed) {
    status = "Setting for PrestaShop : errors that should be corrected are specified in log-file (on page "
             "\"Setting connect to PrestaShop\")";
    session.store.Close();
  }
  SetStoreState(session, status);
}

void OpenStoreLog(Session& session, Ui& ui) {
  std::filesystem::path path = session.Folder() / kStoreLogFileName;
  try {
    WriteLogFile(path, session.store_log);
  } catch (const std::exception& e) {
    ui.Error(e.what());
    return;
  }
  ui.OpenFile(path.string());
}

}  // namespace quarvel
