#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/check_list.h"
#include "core/options.h"
#include "core/store_defaults.h"
#include "platform/catalogue/catalogue_connection.h"
#include "platform/store/store_connection.h"

namespace quarvel {

// The check lists whose checks live in the settings files.
struct SettingsLists {
  // Export selection lists. The car list shows brands (mode 1) or models (mode 2).
  int car_list_mode = 1;
  CheckList cars;
  CheckList part_brands;
  CheckList trade_groups;
  CheckList part_groups;
  CheckList additional_languages;
  // The fixed list of tables for cleaning; ids are the 0-based positions.
  CheckList cleaning_tables;
  // The editing window's criteria and manufacturer lists.
  CheckList edit_criteria;
  CheckList edit_brands;
  // FTP servers shown in the stock-update list: text is the server name, id its number.
  CheckList ftp_servers;
};

// What the main window shows of one connection: its indicator and its status text.
struct ConnectionState {
  bool connected = false;
  std::string status;
};

// An entry of a choice box: the text shown and the id it carries.
struct ChoiceEntry {
  std::string text;
  std::string id;
};

// The catalogue's language and region boxes and the criterion boxes that a catalogue connect empties.
struct CatalogueChoices {
  std::string language_name;
  std::string region_name;
  std::vector<ChoiceEntry> languages;  // filled when the language box is opened
  std::vector<ChoiceEntry> regions;    // filled when the region box is opened
  std::string additional_languages_caption = "Exporting data for additional languages : ";
  std::vector<ChoiceEntry> addcritery_entries;
  std::vector<ChoiceEntry> dimension_entries[4];  // width, height, depth, weight
};

// What every operation works on: the settings in use, the two connections and what was read
// through them.
struct Session {
  // The settings file in use; List_FTP-Servers.ini and the logs live in its folder.
  std::filesystem::path settings_file;
  Options options;
  SettingsLists lists;
  // Set while the scheduled FTP stock check runs; closing is refused then.
  bool ftp_check_running = false;

  platform::CatalogueConnection catalogue;
  platform::StoreConnection store;
  StoreDefaults store_defaults;
  ConnectionState catalogue_state;
  ConnectionState store_state;
  CatalogueChoices catalogue_choices;
  // The log panel of the store connection page.
  std::vector<std::string> store_log;

  // Hooks the faces wire up: a catalogue connect refills the export's selection lists, and the
  // window repaints indicators, status texts and lists when a connection's state changes.
  std::function<void(Session&)> refresh_selection_lists;
  std::function<void()> connection_state_changed;

  std::filesystem::path Folder() const { return settings_file.parent_path(); }
  int CatalogueLanguageId() const { return options.Integer(OptionId::ConToTD_Lang); }
  int CatalogueCountryId() const { return options.Integer(OptionId::ConToTD_Reg); }
  const std::string& TablePrefix() const { return options.Text(OptionId::ConToPresta_Prefix); }
  void NotifyConnectionState() const {
    if (connection_state_changed) connection_state_changed();
  }
};

}  // namespace quarvel
