#include "export/converter_script_writer.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace quarvel::exporting {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kDotsLine = "....................................";

std::string Decimal(int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Paths as UTF-8 on every system (path::string() would use the Windows code page there).
std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// ImageMagick reads a leading "-" as an option and "name:" as a format prefix; a relative path is
// made to start with "./" so that neither can happen.
std::string MagickInput(const std::filesystem::path& path) {
  std::string text = PathText(path);
  if (path.is_relative()) text.insert(0, "./");
  return text;
}

// ImageMagick also expands printf-like "%d" (scene numbers) in the name of the file it writes;
// "%%" stands for a literal "%".
std::string MagickOutput(const std::filesystem::path& path) {
  std::string text;
  for (char c : MagickInput(path)) {
    text += c;
    if (c == '%') text += '%';
  }
  return text;
}

}  // namespace

ConverterScriptKind NativeConverterScriptKind() {
#if defined(_WIN32)
  return ConverterScriptKind::kWindowsBatch;
#else
  return ConverterScriptKind::kPosixShell;
#endif
}

std::string ConverterScriptName(ConverterScriptKind kind, int number) {
  std::string name = "convertimage";
  if (number > 0) name += "." + Decimal(number);
  name += kind == ConverterScriptKind::kWindowsBatch ? ".bat" : ".sh";
  return name;
}

std::string QuoteForBatch(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  quoted += '"';
  return quoted;
}

std::string QuoteForShell(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

ConverterScriptWriter::ConverterScriptWriter(ConverterScriptKind kind, std::filesystem::path converter)
    : kind_(kind), converter_(std::move(converter)) {}

ConverterScriptWriter::~ConverterScriptWriter() {
  if (file_.is_open()) file_.close();
}

void ConverterScriptWriter::Open(const std::filesystem::path& path) {
  if (file_.is_open()) Close();
  path_ = path;
  picture_count_ = 0;
  errno = 0;
  file_.clear();
  file_.open(path_, std::ios::binary | std::ios::trunc);
  if (!file_.is_open()) Fail("cannot be created");

  if (kind_ == ConverterScriptKind::kWindowsBatch) {
    file_.write(kByteOrderMark.data(), static_cast<std::streamsize>(kByteOrderMark.size()));
    WriteLine("ECHO OFF");
    WriteLine("CLS");
    WriteLine("ECHO " + std::string(kDotsLine));
  } else {
    WriteLine("#!/bin/sh");
    WriteLine("echo " + QuoteForShell(kDotsLine));
  }
}

void ConverterScriptWriter::Add(const PicturePlan& plan) {
  if (!file_.is_open()) throw std::logic_error("converter script is not open");
  if (kind_ == ConverterScriptKind::kWindowsBatch) {
    AddBatchLines(plan);
  } else {
    AddShellLines(plan);
  }
  ++picture_count_;
}

// The batch file does not create folders: the export has made them before the script starts.
void ConverterScriptWriter::AddBatchLines(const PicturePlan& plan) {
  const std::string converter = QuoteForBatch(PathText(converter_));
  WriteLine("ECHO " + plan.caption);
  for (const ConverterStep& step : plan.steps) {
    const std::string source = QuoteForBatch(PathText(step.source));
    const std::string target = QuoteForBatch(PathText(step.target));
    switch (step.kind) {
      case ConverterStep::Kind::kCopy:
        WriteLine("COPY " + source + " " + target);
        break;
      case ConverterStep::Kind::kConvert:
        WriteLine(converter + " " + source + " /convert=" + target);
        break;
      case ConverterStep::Kind::kResize:
        WriteLine(converter + " " + source + " /resize=(" + Decimal(step.width) + "," + Decimal(step.height) +
                  ") /aspectratio /convert=" + target);
        break;
    }
  }
}

// Each step reports its own failure and the script goes on, so one bad picture does not leave the
// rest of the batch unconverted.
void ConverterScriptWriter::AddShellLines(const PicturePlan& plan) {
  const std::string converter = QuoteForShell(PathText(converter_));
  const std::string on_failure = " || echo " + QuoteForShell("Failed: " + plan.caption) + " >&2";
  WriteLine("echo " + QuoteForShell(plan.caption));
  for (const std::filesystem::path& folder : plan.folders) {
    WriteLine("mkdir -p -- " + QuoteForShell(PathText(folder)) + on_failure);
  }
  const std::vector<ConverterStep>& steps = plan.steps;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const ConverterStep& step = steps[i];
    switch (step.kind) {
      case ConverterStep::Kind::kCopy:
        WriteLine("cp -f -- " + QuoteForShell(PathText(step.source)) + " " +
                  QuoteForShell(PathText(step.target)) + on_failure);
        break;
      case ConverterStep::Kind::kConvert: {
        // The sized files made from this one are written by the same process, from the picture it
        // has already read: one start and one decoding per picture instead of one per image type.
        std::string line = converter + " " + QuoteForShell(MagickInput(step.source));
        std::size_t sized = i + 1;
        for (; sized < steps.size() && steps[sized].kind == ConverterStep::Kind::kResize &&
               steps[sized].source == step.target;
             ++sized) {
          line += " \\( +clone -resize " + Decimal(steps[sized].width) + "x" + Decimal(steps[sized].height) +
                  " -write " + QuoteForShell(MagickOutput(steps[sized].target)) + " +delete \\)";
        }
        // The converted picture itself is the command's output.
        WriteLine(line + " " + QuoteForShell(MagickOutput(step.target)) + on_failure);
        i = sized - 1;
        break;
      }
      case ConverterStep::Kind::kResize:
        WriteLine(converter + " " + QuoteForShell(MagickInput(step.source)) + " -resize " +
                  Decimal(step.width) + "x" + Decimal(step.height) + " " +
                  QuoteForShell(MagickOutput(step.target)) + on_failure);
        break;
    }
  }
}

void ConverterScriptWriter::Close() {
  if (!file_.is_open()) return;
  errno = 0;
  file_.flush();
  const bool written = !file_.fail();
  file_.close();
  if (!written) Fail("cannot be written");
  if (file_.fail()) Fail("cannot be closed");

  if (kind_ == ConverterScriptKind::kPosixShell) {
    // Executable for whoever may read it, so the umask's choice of readers is kept.
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::perms current = fs::status(path_, error).permissions();
    fs::perms exec = fs::perms::owner_exec;
    if ((current & fs::perms::group_read) != fs::perms::none) exec |= fs::perms::group_exec;
    if ((current & fs::perms::others_read) != fs::perms::none) exec |= fs::perms::others_exec;
    if (!error) fs::permissions(path_, exec, fs::perm_options::add, error);
    if (error) {
      throw std::runtime_error("The file \"" + path_.string() +
                               "\" cannot be made executable: " + error.message());
    }
  }
}

void ConverterScriptWriter::WriteLine(std::string_view line) {
  errno = 0;
  file_.write(line.data(), static_cast<std::streamsize>(line.size()));
  if (kind_ == ConverterScriptKind::kWindowsBatch) {
    file_.write("\r\n", 2);
  } else {
    file_.put('\n');
  }
  if (file_.fail()) Fail("cannot be written");
}

void ConverterScriptWriter::Fail(std::string_view what) const {
  std::string message = "The file \"" + path_.string() + "\" " + std::string(what);
  if (errno != 0) message.append(": ").append(std::strerror(errno));
  throw std::runtime_error(message);
}

}  // namespace quarvel::exporting
