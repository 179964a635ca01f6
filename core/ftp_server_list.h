#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/check_list.h"

namespace quarvel {

class IniFile;

// One server of List_FTP-Servers.ini that is not deleted. Keys are "ftpserver[" + number + "]"
// followed by the field's suffix, in section MainSet or SetForServer.
struct FtpServerRecord {
  int number = 0;
  // MainSet
  std::string name;  // "name", default "serv-" + number
  bool active = false;
  std::string last_modified;  // "lastmod": the server file's time at the last successful update
  // SetForServer
  std::string url;  // host, optionally ":" + port
  std::string user;
  std::string password;  // "psw", as typed
  std::string path;
  std::string brand_column;                     // "brand"
  std::string brand_id_column;                  // "idbrand"
  std::string part_code_column;                 // "codepart"
  std::string stock_column;                     // "stock"
  bool without_column_names = false;            // "withoutnamescolumns"
  int limit_lines = 1000000;                    // "limitlines"
  bool several_warehouses_in_one_file = false;  // "usesomewarehousesinonefile"
  bool use_supplier_numbers = false;            // "usesuppliersnrs"
  std::string warehouse_column;                 // "colwarehouse"
  std::string warehouse_name_in_file;           // "namewarehouseinfile"
  std::string warehouse;                        // "namewarehouse": "{" + id_warehouse + "} - <" + name + ">"
  std::string warehouse_id;                     // between "{" and "}" of `warehouse`
  std::string warehouse_name;                   // between "<" and ">" of `warehouse`

  // Only servers with every value needed to fetch and read their file are listed.
  bool IsComplete() const;
};

// The key of one server field: "ftpserver[" + number + "]" + suffix.
std::string FtpServerKey(int number, std::string_view suffix);

// Reads every server numbered 1 to "countlist" that is not deleted (a missing "delete" key counts as
// deleted), in number order. `now_text` is the time text used where "lastmod" is missing.
std::vector<FtpServerRecord> ReadFtpServerList(const IniFile& file, std::string_view now_text);
// The same from the file; a missing file gives no servers.
std::vector<FtpServerRecord> LoadFtpServerList(const std::filesystem::path& path, std::string_view now_text);

// Refills the stock-update list with the complete servers: text the name, id the number, checked
// the active flag.
void FillFtpServerList(CheckList& list, const std::vector<FtpServerRecord>& records);

}  // namespace quarvel
