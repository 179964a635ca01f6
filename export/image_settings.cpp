#include "export/image_settings.h"

#include <system_error>

#include "core/text.h"

namespace quarvel::exporting {

namespace {

std::optional<std::filesystem::path> ExistingFolder(const std::string& text) {
  if (Trim(text).empty()) return std::nullopt;
  std::error_code error;
  std::filesystem::path folder(text);
  if (!std::filesystem::is_directory(folder, error)) return std::nullopt;
  return folder;
}

std::optional<std::filesystem::path> ExistingFile(const std::string& text) {
  if (Trim(text).empty()) return std::nullopt;
  std::error_code error;
  std::filesystem::path file(text);
  if (!std::filesystem::exists(file, error) || std::filesystem::is_directory(file, error))
    return std::nullopt;
  return file;
}

}  // namespace

ImageSettings ReadImageSettings(const Options& o) {
  ImageSettings s;
  s.root = ExistingFolder(o.Text(OptionId::ExportData_Path_to_images));
  s.from_catalogue = o.Boolean(OptionId::PreparationData_Images_from_tecdoc);
  s.local_pictures = ExistingFolder(o.Text(OptionId::PreparationData_Img_path_to_images));
  s.local_logos = ExistingFolder(o.Text(OptionId::PreparationData_Img_path_to_logos));
  s.temp = ExistingFolder(o.Text(OptionId::PreparationData_Img_path_to_temp_images));
  s.converter = ExistingFile(o.Text(OptionId::PreparationData_Img_path_to_irfanviewe));
  s.picture_ext = o.Text(OptionId::PreparationData_Img_graf_fromat_to_images);
  // Catalogue logos are always saved as jpg; the setting itself is left as the user typed it.
  s.logo_ext = s.from_catalogue ? "jpg" : o.Text(OptionId::PreparationData_Img_graf_fromat_to_logos);
  s.standard_layout = o.Boolean(OptionId::PreparationData_SchemeObtainLinkToImageFromPrestashop);
  return s;
}

std::vector<std::string> ImageSettingErrors(const ImageSettings& s) {
  std::vector<std::string> lines;
  if (!s.root) lines.emplace_back("] Error : not specified a folder to export images");
  if (!s.from_catalogue && !s.local_pictures)
    lines.emplace_back("] Error : not specified a folder with local data images");
  if (!s.from_catalogue && !s.local_logos)
    lines.emplace_back("] Error : not specified a folder with local data logos-images");
  if (s.from_catalogue && !s.temp)
    lines.emplace_back("] Error : not specified temp folder for export images");
  if (!s.converter) lines.emplace_back("] Error : not specified path for IrfanView");
  return lines;
}

}  // namespace quarvel::exporting
