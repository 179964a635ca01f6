#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

inline constexpr const char* kSettingsFileName = "Quarvel.ini";
inline constexpr const char* kFtpServerListFileName = "List_FTP-Servers.ini";

// The settings file to use: the given path when there is one; otherwise Quarvel.ini in the
// program's folder, or in the user's configuration folder when the program's folder is not writable
// ($XDG_CONFIG_HOME/Quarvel, else ~/.config/Quarvel; %APPDATA%\Quarvel on Windows), which is created
// when missing. Throws std::runtime_error when no folder can be used.
std::filesystem::path ResolveSettingsFile(const std::filesystem::path& program_folder,
                                          const std::optional<std::filesystem::path>& given);

// Every function below that writes reads the file first and changes only its own keys; it throws
// std::runtime_error naming the file when the file cannot be read or written, and the file on disk
// then keeps its old content. A missing file reads as empty.

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

// Reads the keys from the file now (defaults for absent keys) into the options: for lists that are
// filled later, such as the editing window's criteria and manufacturers.
void ReadOptionsFromFile(Session& session, std::initializer_list<OptionId> ids);
// Writes the options' current values and flushes, as the commands that save at once do.
void SaveOptions(const Session& session, std::initializer_list<OptionId> ids);

// The four export selection lists.
enum class SelectionList { Cars, PartBrands, TradeGroups, PartGroups };

// "Update list" of a selection list: keeps the checks across a refill. The checks are those of the
// current entries, or, while the list is empty, the list's saved key. `fill` gets an empty list to
// fill; when it throws, the list and the file keep their state for that list and the error propagates.
// The car list shows the mode the options select (ExportData_ForCars_groupsByBrands) and becomes that
// mode; before refilling, its checks are written to the key of the mode it had, and a change of mode
// takes the new mode's own saved checks. The part lists keep their checks in memory only.
void RefreshSelectionList(Session& session, SelectionList which, const std::function<void(CheckList&)>& fill);

// Closing the main window. Refuses (shows "Fisrt need stop process check ftp servers !" and
// writes nothing) while the FTP check runs; otherwise calls `disconnect`, writes every option
// back, then the FTP servers' active flags. Returns whether the window may close. The export selection
// lists are written only when they have entries and the editing window's two lists only when they
// were filled during this run, so that closing without them keeps their saved checks.
bool SaveSettingsOnClose(Session& session, Ui& ui, const std::function<void()>& disconnect = {});

}  // namespace quarvel
