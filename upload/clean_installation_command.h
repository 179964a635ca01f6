#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/session.h"
#include "core/ui.h"
#include "upload/clean_installation.h"

namespace quarvel {

inline constexpr const char* kCleanInstallationCaption =
    "  Clean installation (cleaning tables responsible for the catalog)";
// Two blanks before the question mark, as the users know the question.
inline constexpr const char* kCleanInstallationQuestion =
    "Clear the necessary tables of your store for the ability to upload data  ?";
inline constexpr const char* kCleanInstallationHeading =
    "==== CLEANING THE NECESSARY TABLES OF YOUR STORE FOR THE ABILITY TO UPLOAD DATA ====";

// The text of the information button beside the command.
std::string CleanInstallationInformation();
// The link label below it and the page it opens.
std::string HostingHelpCaption();
std::string HostingHelpUrl();

// "  Clean installation (cleaning tables responsible for the catalog)": checks the store connection,
// asks for confirmation, clears the upload log and heads it, then runs CleanInstallation on the
// session's store with its table prefix, database name and list of tables for cleaning.
//
// When the connection fails during the work, the failure is logged and shown, `show_store_settings`
// (when given) brings up the store connection page, and the store connection is tested again.
//
// Returns nothing when the work did not start (not connected, or the question answered No).
std::optional<CleanInstallationResult> RunCleanInstallation(
    Session& session, std::vector<std::string>& upload_log, Ui& ui,
    const std::function<void()>& show_store_settings = {});

}  // namespace quarvel
