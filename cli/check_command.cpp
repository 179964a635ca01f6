#include <ostream>

#include "cli/subcommand.h"
#include "core/catalogue_connection_ops.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"
#include "export/selection_lists.h"

namespace quarvel::cli {

namespace {

int RunCheck(CommandContext& context) {
  if (!RejectArguments(context, "check")) return kExitUsage;
  Session& session = context.session;
  LoadSettings(session);
  session.refresh_selection_lists = exporting::RefreshSelectionLists;

  DiscoverCatalogue(session, context.ui);
  TestStoreConnection(session, context.ui);

  for (const std::string& line : session.store_log) {
    std::string shown = line;
    for (char& c : shown)
      if (c == '\r') c = '\n';
    context.out << shown << '\n';
  }
  context.out << '\n'
              << "Catalogue: " << (session.catalogue_state.connected ? "connected" : "NOT connected") << '\n'
              << "  " << session.catalogue_state.status << '\n'
              << "Store: " << (session.store_state.connected ? "connected" : "NOT connected") << '\n'
              << "  " << session.store_state.status << '\n';
  const StoreDefaults& d = session.store_defaults;
  context.out << "Store defaults: shop " << d.default_shop_id << ", language " << d.default_lang_id << ", currency "
              << d.default_currency_id << ", tax " << d.tax << ", ecotax " << d.use_ecotax << ", image type \""
              << d.image_type << "\"\n";

  bool ok = session.catalogue_state.connected && session.store_state.connected;
  if (!session.catalogue_state.connected) context.err << session.catalogue_state.status << '\n';
  if (!session.store_state.connected) context.err << session.store_state.status << '\n';
  session.store.Close();
  session.catalogue.Close();
  return ok ? kExitOk : kExitFailure;
}

[[maybe_unused]] const bool kRegistered = RegisterSubcommand(
    {"check", "Connect the catalogue and the store as the settings say and test the store's tables", RunCheck});

}  // namespace

}  // namespace quarvel::cli
