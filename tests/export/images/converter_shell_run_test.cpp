#include <gtest/gtest.h>
#include <unistd.h>

#include "export/converter_script_writer.h"
#include "tests/support/program_runner.h"
#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::ReadFileBytes;
using test::RunProgram;
using test::TempFolder;

constexpr const char* kConvert = "/usr/bin/convert";
constexpr const char* kIdentify = "/usr/bin/identify";

class ConverterShellRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kConvert, X_OK) != 0 || access(kIdentify, X_OK) != 0) {
      GTEST_SKIP() << "ImageMagick is not installed";
    }
    // Names a careless script would split, expand or run; "%d" is also ImageMagick's scene number.
    base_ = temp_ / "it's $HOME `touch pwned` $(touch pwned) '; touch pwned; ' 100%d";
    fs::create_directories(base_ / "src");
  }

  // A plain picture of the given size; the format follows the file's extension.
  void MakePicture(const char* size, const fs::path& file) {
    std::string output;  // ImageMagick reads "%" in the name it writes as a format sign
    for (char c : file.string()) output += c == '%' ? std::string("%%") : std::string(1, c);
    const ProgramResult result = RunProgram(kConvert, {"-size", size, "xc:red", output}, temp_.path());
    ASSERT_EQ(result.exit_code, 0) << result.err;
  }

  std::string Size(const fs::path& file) {
    const ProgramResult result = RunProgram(kIdentify, {"-format", "%wx%h", file.string()}, temp_.path());
    return result.exit_code == 0 ? result.out : "unreadable: " + result.err;
  }

  ProgramResult RunScript(const fs::path& script) {
    const std::string command = "cd " + test::ShellQuote(base_.string()) + " && exec /bin/sh " +
                                test::ShellQuote(script.string()) + " >" +
                                test::ShellQuote((temp_ / "script.out").string());
    ProgramResult result = RunProgram("/bin/sh", {"-c", command}, temp_.path());
    result.out = ReadFileBytes(temp_ / "script.out");
    return result;
  }

  TempFolder temp_;
  fs::path base_;
};

TEST_F(ConverterShellRun, ScriptBuildsTheStoreLayoutAndRunsNothingFromNames) {
  const fs::path src = base_ / "src";
  MakePicture("40x20", src / "wide.png");
  MakePicture("40x20", src / "55.JPG");
  MakePicture("30x60", src / "55.1.bmp");
  MakePicture("20x40", src / "logo '$(x).png");
  if (HasFatalFailure()) return;

  const fs::path root = base_ / "img";
  const std::vector<StoreImageType> types = {{"small_default", 10, 10}, {" large_default ", 30, 30}};
  const fs::path script = root / ConverterScriptName(ConverterScriptKind::kPosixShell, 1);
  fs::create_directories(root);
  ConverterScriptWriter writer(ConverterScriptKind::kPosixShell, kConvert);
  writer.Open(script);
  // A picture whose source is missing fails alone; the pictures after it are still converted.
  writer.Add(PlanStandardPicture(root, 9, src / "missing.png", types, "jpg"));
  writer.Add(PlanStandardPicture(root, 123, src / "wide.png", types, "jpg"));
  writer.Add(PlanImprovedPicture(root, 124, 10, 55, 0, src / "55.JPG", "JPG ", "jpg"));
  writer.Add(PlanImprovedPicture(root, 125, 10, 55, 1, src / "55.1.bmp", "bmp", "jpg"));
  writer.Add(PlanLogo(root, 1, src / "logo '$(x).png", 3, types, "png"));
  writer.Close();

  const ProgramResult run = RunScript(script);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("No-img = 123\n"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("Failed: No-img = 9"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Failed: No-img = 1"), std::string::npos) << run.err;

  const fs::path p123 = root / "p" / "1" / "2" / "3";
  const fs::path tarlund = root / "p_from_tarlund" / "10";
  const struct {
    fs::path file;
    const char* size;
  } expected[] = {
      {p123 / "123.jpg", "40x20"},
      {p123 / "123-small_default.jpg", "10x5"},
      {p123 / "123-large_default.jpg", "30x15"},
      {tarlund / "55.jpg", "40x20"},
      {tarlund / "55.1.jpg", "30x60"},
      {root / "m" / "3.png", "20x40"},
      {root / "m" / "3-small_default.png", "5x10"},
      {root / "m" / "3-large_default.png", "15x30"},
  };
  for (const auto& e : expected) EXPECT_EQ(Size(e.file), e.size) << e.file;

  EXPECT_EQ(ReadFileBytes(tarlund / "55.jpg"), ReadFileBytes(src / "55.JPG"));
  EXPECT_EQ(ReadFileBytes(tarlund / "55.1.jpg").substr(0, 2), "\xFF\xD8");  // a JPEG, not a copied BMP
  EXPECT_FALSE(fs::exists(root / "p" / "9" / "9.jpg"));

  // Nothing was expanded or run: no stray files, and no "%d" turned into a scene number.
  for (const auto& entry : fs::recursive_directory_iterator(temp_.path())) {
    EXPECT_NE(entry.path().filename(), "pwned") << entry.path();
  }
  EXPECT_FALSE(fs::exists("pwned"));
}

}  // namespace
}  // namespace quarvel::exporting
