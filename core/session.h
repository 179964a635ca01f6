#pragma once

#include <filesystem>

#include "core/check_list.h"
#include "core/options.h"

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

// What every operation works on: the settings in use and, later, the two connections.
struct Session {
  // The settings file in use; List_FTP-Servers.ini and the logs live in its folder.
  std::filesystem::path settings_file;
  Options options;
  SettingsLists lists;
  // Set while the scheduled FTP stock check runs; closing is refused then.
  bool ftp_check_running = false;

  std::filesystem::path Folder() const { return settings_file.parent_path(); }
};

}  // namespace quarvel
