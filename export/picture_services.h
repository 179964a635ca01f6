#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "export/converter_script_writer.h"
#include "platform/catalogue/catalogue_connection.h"
#include "platform/net/http_download.h"

namespace quarvel::exporting {

// The catalogue's web picture storage: account and address from its parameter table. Read once and
// kept for the program's life; read again while the account is unknown.
struct PictureStorage {
  std::string user;
  std::string password;
  std::string url;  // ends in "/" when set
  bool AccountKnown() const { return !user.empty() && !password.empty(); }
};

// What the picture stage reaches outside the run's own data. The export page's runner owns one and
// keeps it across runs; tests replace the script start, the download or its time limit.
struct PictureServices {
  // The second catalogue connection, for picture data; may be closed (reads then fail and are logged).
  platform::CatalogueConnection* catalogue = nullptr;
  PictureStorage storage;
  bool storage_read_in_run = false;  // the stage clears it when it starts
  ConverterScriptKind script_kind = NativeConverterScriptKind();
  std::function<void(const std::filesystem::path&)> start_script;
  std::function<platform::HttpDownloadResult(const platform::HttpDownloadRequest&,
                                             const std::filesystem::path&)>
      download;
  std::chrono::milliseconds download_limit{std::chrono::seconds(180)};

  // The platform's script start and download.
  static PictureServices Native();
};

}  // namespace quarvel::exporting
