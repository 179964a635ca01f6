#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "export/converter_plan.h"

namespace quarvel::exporting {

enum class ConverterScriptKind {
  kWindowsBatch,  // .bat: UTF-8 with byte-order mark, CR LF, the configured converter's command lines
  kPosixShell,    // .sh: UTF-8, LF, ImageMagick's command line through the configured executable
};

// The form the converter scripts take on this system.
ConverterScriptKind NativeConverterScriptKind();

// "convertimage" + ("." + number when number > 0) + ".bat" or ".sh".
std::string ConverterScriptName(ConverterScriptKind kind, int number);

// A path as one argument of a batch-file line: in double quotes, each "%" doubled because batch
// files expand "%" even inside quotes. Windows forbids '"' in names, so nothing else needs escaping.
std::string QuoteForBatch(std::string_view text);

// Text as one word for a POSIX shell: in single quotes, each ' written as '\''. Nothing inside
// single quotes is expanded, so "$", backquotes, ";" and line breaks stay literal.
std::string QuoteForShell(std::string_view text);

// Writes one converter script: its opening lines, then the lines of each picture plan. Every path is
// quoted for the script's shell, so quotes, "$", "%", spaces or other signs in folder and file names
// neither break the script nor run anything. Errors creating or writing the file throw
// std::runtime_error naming it.
class ConverterScriptWriter {
 public:
  // `converter`: the executable the script calls (the "Path to programm" setting).
  ConverterScriptWriter(ConverterScriptKind kind, std::filesystem::path converter);
  ~ConverterScriptWriter();
  ConverterScriptWriter(const ConverterScriptWriter&) = delete;
  ConverterScriptWriter& operator=(const ConverterScriptWriter&) = delete;

  // Creates (replaces) the file and writes the opening lines; the picture count starts at 0.
  void Open(const std::filesystem::path& path);
  // Adds the lines of one picture; the picture count grows by 1.
  void Add(const PicturePlan& plan);
  // Closes the file (shell scripts are made executable).
  void Close();

  bool IsOpen() const { return file_.is_open(); }
  int picture_count() const { return picture_count_; }
  const std::filesystem::path& path() const { return path_; }
  ConverterScriptKind kind() const { return kind_; }

 private:
  void AddBatchLines(const PicturePlan& plan);
  void AddShellLines(const PicturePlan& plan);
  void WriteLine(std::string_view line);
  [[noreturn]] void Fail(std::string_view what) const;

  ConverterScriptKind kind_;
  std::filesystem::path converter_;
  std::filesystem::path path_;
  std::ofstream file_;
  int picture_count_ = 0;
};

}  // namespace quarvel::exporting
