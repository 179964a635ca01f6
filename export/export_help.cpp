#include "export/export_help.h"

#include <exception>

#include "core/error_text.h"
#include "core/log_file.h"
#include "core/text.h"
#include "export/converter_script_writer.h"

namespace quarvel::exporting {

namespace {
const std::string kTwentyHyphens(20, '-');
}

std::string AdditionModeHelpText() {
  return "When this option is enabled, you will be able to create only the data and images for products !!! "
         "The "
         "necessary links for connect to categories will be duplicated on the based analogue parts to "
         "selected "
         "part.";
}

std::string ExportFolderHelpText() { return "Enter path where the sql-files will be exported ..."; }

std::string ImagesRootHelpText() {
  return "The folders with images of products are exported here. Afterwards place them in the product image "
         "folder of the store (img/p/ below the store's address).";
}

std::string ArticleFileHelpText() {
  return "The file must contain values ARTID to spare parts, which you want to see in the store ...";
}

std::string VehicleTypeFileHelpText() {
  return "The file must contain values TYPID to cars, which you want to see in the store ...";
}

namespace {
bool ShellScripts() { return NativeConverterScriptKind() == ConverterScriptKind::kPosixShell; }
}  // namespace

std::string ConverterWebSite() {
  return ShellScripts() ? "https://imagemagick.org/" : "https://www.irfanview.com/";
}

std::string ConverterQuestion() {
  if (ShellScripts()) {
    return "To be able to edit the images, you need to install ImageMagick (package imagemagick) and give "
           "the path of its program convert (usually /usr/bin/convert) !!!\r" +
           std::string(32, '-') + "\rGo to the website of ImageMagick, for edit pictures ?";
  }
  return "To be able to edit the images, you need to install the program IrfanView and its plugIns !!!\r" +
         std::string(32, '-') + "\rGo to the website to install program IrfanView, for edit pictures ?";
}

void ShowConverterHelp(Ui& ui) {
  if (ui.Ask(ConverterQuestion())) ui.OpenUrl(ConverterWebSite());
}

std::filesystem::path ConverterPickerFolder() {
  if (ShellScripts()) return "/usr/bin";
  std::string program_files = ProgramFilesFolder();
  if (program_files.empty()) return {};
  return std::filesystem::path(program_files) / "IrfanView";
}

HelpFile LocalPicturesHelp() {
  return {"ImagesLocate.txt",
          {"Path to main folder where will locate the folders with pictures", kTwentyHyphens,
           "- folder name must match the ID manufacturer", "- image name must match the ID parts",
           kTwentyHyphens}};
}

HelpFile LocalLogosHelp() {
  return {"ImagesLogosLocate.txt",
          {"Path to folder where will locate logo-pictures to manufacturers", kTwentyHyphens,
           "- image name must match the ID brand", kTwentyHyphens}};
}

HelpFile TemporaryPicturesHelp() {
  return {"ImagesLocate.txt",
          {"Path to folder where will stored temp images", kTwentyHyphens,
           "- folder name will have match the ID manufacturer", "- image name will have match the ID parts",
           kTwentyHyphens}};
}

void ShowHelpFile(const HelpFile& help, const std::filesystem::path& folder, Ui& ui) {
  std::filesystem::path path = folder / help.file_name;
  try {
    WriteLogFile(path, help.lines);
  } catch (const std::exception& failure) {
    ui.Error(ErrorMessage(failure));
    return;
  }
  ui.OpenFile(path.string());
}

}  // namespace quarvel::exporting
