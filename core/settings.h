#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

inline constexpr const char* kSettingsFileName = "Quarvel.ini";
inline constexpr const char* kFtpServerListFileName = "List_FTP-Servers.ini";

// The settings file to use: the given path when there is one; otherwise Quarvel.ini in the
// program's folder, or in the user's configuration folder when the program's folder is not writable.
std::filesystem::path ResolveSettingsFile(const std::filesystem::path& program_folder,
                                          const std::optional<std::filesystem::path>& given);

// Reads every option of the main window's sections with defaults for absent keys, checks the
// cleaning list, sets the car list mode and loads the FTP server list.
void LoadSettings(Session& session);
// Reads FormEditNames' four plain keys and the five ExcelExportImport sections.
void LoadEditingWindowSettings(Session& session);

// The immediate saves.
void SaveCatalogueConnection(const Session& session);
void SaveStoreConnection(const Session& session);
// Writes the checked additional languages and returns the option caption
// "Exporting data for additional languages : " + each checked ISO code and a blank.
std::string SaveAdditionalLanguages(Session& session);

// Closing the main window. Refuses (shows "Fisrt need stop process check ftp servers !" and
// writes nothing) while the FTP check runs; otherwise calls `disconnect`, writes every option
// back, then the FTP servers' active flags. Returns whether the window may close.
bool SaveSettingsOnClose(Session& session, Ui& ui, const std::function<void()>& disconnect = {});

}  // namespace quarvel
