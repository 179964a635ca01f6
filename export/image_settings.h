#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/options.h"

namespace quarvel::exporting {

// The picture stage's folders and options, read when the stage starts. A folder or file that does
// not exist is not set (nullopt).
struct ImageSettings {
  std::optional<std::filesystem::path> root;  // images root: converted pictures and scripts
  bool from_catalogue = true;                 // false: the pictures and logos are local files
  std::optional<std::filesystem::path> local_pictures;
  std::optional<std::filesystem::path> local_logos;
  std::optional<std::filesystem::path> temp;  // where catalogue pictures and logos are saved
  std::optional<std::filesystem::path> converter;
  std::string picture_ext;      // extension of local source pictures
  std::string logo_ext;         // extension of source logos ("jpg" when they come from the catalogue)
  bool standard_layout = true;  // false: the space-saving layout with its image_from_tarlund table

  // Where the stage looks for an article's pictures and a brand's logo.
  const std::optional<std::filesystem::path>& PictureFolder() const {
    return from_catalogue ? temp : local_pictures;
  }
  const std::optional<std::filesystem::path>& LogoFolder() const {
    return from_catalogue ? temp : local_logos;
  }
  // The stage runs only with both of these.
  bool Configured() const { return root.has_value() && converter.has_value(); }
};

ImageSettings ReadImageSettings(const Options& options);

// The check lines of the stage ("] Error : ..."), in order, for what is missing.
std::vector<std::string> ImageSettingErrors(const ImageSettings& settings);

}  // namespace quarvel::exporting
