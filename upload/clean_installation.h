#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/check_list.h"
#include "core/ui.h"
#include "platform/store/store_connection.h"
#include "platform/store/store_error.h"

namespace quarvel {

struct CleanInstallationResult {
  // Statements that failed; each was logged and the work went on with the next step.
  int failed_statements = 0;
  // Set when a failure escaped the steps (the connection is gone or was lost): what followed was
  // not run. The page then tells the user and tests the store connection again.
  std::optional<platform::StoreError> connection_failure;

  bool ok() const { return failed_statements == 0 && !connection_failure; }
};

// The store work of the clean installation, after the page's confirmation: creates this system's
// tables when missing, adapts the tag, product_lang, feature_product, image and image_shop tables
// to what the uploaded data needs, then empties the checked tables of `tables` (the list of
// tables for cleaning, in list order). Table names are `prefix` + bare name; `database` is the
// store's database name. Every step appends what it did, or the statement that failed with its
// error, to `log` (the upload log) and goes on; `ui` lets the window repaint before the slow
// ALTER TABLE statements.
CleanInstallationResult CleanInstallation(platform::StoreConnection& store, const std::string& prefix,
                                          const std::string& database, const CheckList& tables,
                                          std::vector<std::string>& log, Ui& ui);

}  // namespace quarvel
