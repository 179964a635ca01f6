#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/ui.h"

namespace quarvel::exporting {

// The help links beside the path boxes of the export and preparation pages. The window only shows
// what these give; the help files are written beside the settings file and opened.

inline constexpr char kChooseDirectoryTitle[] = "Choose a directory";
// The converter the scripts of this system call: IrfanView for batch files, ImageMagick for shell
// scripts.
std::string ConverterWebSite();

// "more ..." beside "Addition to the existing data".
std::string AdditionModeHelpText();
// Messages of the export folder, images root, article file and vehicle-type file boxes.
std::string ExportFolderHelpText();
std::string ImagesRootHelpText();
std::string ArticleFileHelpText();
std::string VehicleTypeFileHelpText();

// The image converter box: asks whether to visit the converter's web site and opens it on Yes.
std::string ConverterQuestion();
void ShowConverterHelp(Ui& ui);
// Where the converter's file dialog opens.
std::filesystem::path ConverterPickerFolder();

// The help files of the picture folder boxes: their file names and lines.
struct HelpFile {
  std::string file_name;
  std::vector<std::string> lines;
};
HelpFile LocalPicturesHelp();
HelpFile LocalLogosHelp();
HelpFile TemporaryPicturesHelp();
// Writes the file into `folder` (UTF-8 with byte-order mark, CR LF) and opens it; a failed write
// is reported through ui.Error.
void ShowHelpFile(const HelpFile& help, const std::filesystem::path& folder, Ui& ui);

}  // namespace quarvel::exporting
