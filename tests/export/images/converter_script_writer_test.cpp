#include "export/converter_script_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempFolder;

const std::vector<StoreImageType> kTypes = {{"small_default ", 98, 98}, {"large_default", 800, 600}};

// One picture of each layout and a logo, as the export adds them.
void AddSamplePlans(ConverterScriptWriter& writer, const fs::path& root) {
  writer.Add(PlanStandardPicture(root, 7, "/data/pics/10/55.jpg", kTypes, "jpg"));
  writer.Add(PlanImprovedPicture(root, 8, 10, 55, 0, "/data/pics/10/55.JPG", "JPG ", "jpg"));
  writer.Add(PlanImprovedPicture(root, 9, 10, 55, 1, "/data/pics/10/55.1.png", "png", "jpg"));
  writer.Add(PlanLogo(root, 1, "/data/logos 100%/12.jpg", 3, kTypes, "jpg"));
}

TEST(ConverterScriptWriter, BatchFileHasTheConverterLinesWithBomAndCrLf) {
  TempFolder temp;
  const fs::path script = temp / "convertimage.1.bat";
  ConverterScriptWriter writer(ConverterScriptKind::kWindowsBatch, "C:\\Irfan View\\i_view64.exe");
  writer.Open(script);
  AddSamplePlans(writer, "/shop/img");
  EXPECT_EQ(writer.picture_count(), 4);
  writer.Close();
  EXPECT_FALSE(writer.IsOpen());

  const std::string irfan = "\"C:\\Irfan View\\i_view64.exe\"";
  const std::string expected =
      "\xEF\xBB\xBF"
      "ECHO OFF\r\n"
      "CLS\r\n"
      "ECHO ....................................\r\n"
      "ECHO No-img = 7\r\n" +
      irfan + " \"/data/pics/10/55.jpg\" /convert=\"/shop/img/p/7/7.jpg\"\r\n" + irfan +
      " \"/shop/img/p/7/7.jpg\" /resize=(98,98) /aspectratio "
      "/convert=\"/shop/img/p/7/7-small_default.jpg\"\r\n" +
      irfan +
      " \"/shop/img/p/7/7.jpg\" /resize=(800,600) /aspectratio "
      "/convert=\"/shop/img/p/7/7-large_default.jpg\"\r\n"
      "ECHO No-img = 8\r\n"
      "COPY \"/data/pics/10/55.JPG\" \"/shop/img/p_from_tarlund/10/55.jpg\"\r\n"
      "ECHO No-img = 9\r\n" +
      irfan + " \"/data/pics/10/55.1.png\" /convert=\"/shop/img/p_from_tarlund/10/55.1.jpg\"\r\n" +
      "ECHO No-img = 1\r\n" + irfan + " \"/data/logos 100%%/12.jpg\" /convert=\"/shop/img/m/3.jpg\"\r\n" +
      irfan +
      " \"/shop/img/m/3.jpg\" /resize=(98,98) /aspectratio /convert=\"/shop/img/m/3-small_default.jpg\"\r\n" +
      irfan +
      " \"/shop/img/m/3.jpg\" /resize=(800,600) /aspectratio "
      "/convert=\"/shop/img/m/3-large_default.jpg\"\r\n";
  EXPECT_EQ(ReadFileBytes(script), expected);
}

TEST(ConverterScriptWriter, ReopeningStartsAFreshFile) {
  TempFolder temp;
  ConverterScriptWriter writer(ConverterScriptKind::kWindowsBatch, "irfan.exe");
  writer.Open(temp / "a.bat");
  AddSamplePlans(writer, "/shop/img");
  writer.Open(temp / "b.bat");  // closes a.bat first
  EXPECT_EQ(writer.picture_count(), 0);
  EXPECT_EQ(writer.path(), temp / "b.bat");
  writer.Close();
  EXPECT_EQ(ReadFileBytes(temp / "b.bat"),
            "\xEF\xBB\xBF"
            "ECHO OFF\r\nCLS\r\nECHO ....................................\r\n");
  EXPECT_NE(ReadFileBytes(temp / "a.bat").find("ECHO No-img = 1\r\n"), std::string::npos);
}

TEST(ConverterScriptWriter, ShellScriptIsPlainLfAndExecutable) {
  TempFolder temp;
  const fs::path script = temp / "convertimage.sh";
  ConverterScriptWriter writer(ConverterScriptKind::kPosixShell, "/usr/bin/convert");
  writer.Open(script);
  AddSamplePlans(writer, "/shop/img");
  writer.Close();

  const std::string text = ReadFileBytes(script);
  EXPECT_EQ(text.rfind("#!/bin/sh\necho '....................................'\n", 0), 0u);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text.find("\ncp -f -- '/data/pics/10/55.JPG' '/shop/img/p_from_tarlund/10/55.jpg' ||"),
            std::string::npos);
  // One process per picture: the sized files are written from the picture it read, the base last.
  EXPECT_NE(text.find("\n'/usr/bin/convert' '/data/logos 100%/12.jpg'"
                      " \\( +clone -resize 98x98 -write '/shop/img/m/3-small_default.jpg' +delete \\)"
                      " \\( +clone -resize 800x600 -write '/shop/img/m/3-large_default.jpg' +delete \\)"
                      " '/shop/img/m/3.jpg' || echo 'Failed: No-img = 1' >&2\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\n'/usr/bin/convert' '/data/pics/10/55.1.png' '/shop/img/p_from_tarlund/10/55.1.jpg' ||"),
            std::string::npos);
  EXPECT_NE(fs::status(script).permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST(ConverterScriptWriter, ScriptNames) {
  const struct {
    ConverterScriptKind kind;
    int number;
    const char* name;
  } cases[] = {
      {ConverterScriptKind::kWindowsBatch, 0, "convertimage.bat"},
      {ConverterScriptKind::kWindowsBatch, 12, "convertimage.12.bat"},
      {ConverterScriptKind::kPosixShell, 0, "convertimage.sh"},
      {ConverterScriptKind::kPosixShell, 3, "convertimage.3.sh"},
  };
  for (const auto& c : cases) EXPECT_EQ(ConverterScriptName(c.kind, c.number), c.name);
  EXPECT_EQ(NativeConverterScriptKind(), ConverterScriptKind::kPosixShell);
}

TEST(ConverterScriptWriter, Quoting) {
  EXPECT_EQ(QuoteForBatch("C:\\a b\\100% %PATH%.jpg"), "\"C:\\a b\\100%% %%PATH%%.jpg\"");
  const struct {
    const char* text;
    const char* quoted;
  } shell_cases[] = {
      {"", "''"},
      {"a b$HOME`x`;\n", "'a b$HOME`x`;\n'"},
      {"it's", "'it'\\''s'"},
      {"''", "''\\'''\\'''"},
  };
  for (const auto& c : shell_cases) EXPECT_EQ(QuoteForShell(c.text), c.quoted) << c.text;
}

TEST(ConverterScriptWriter, ErrorsNameTheFile) {
  TempFolder temp;
  ConverterScriptWriter writer(ConverterScriptKind::kPosixShell, "/usr/bin/convert");
  const fs::path script = temp / "missing" / "convertimage.1.sh";
  try {
    writer.Open(script);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(script.string()), std::string::npos) << error.what();
  }
  EXPECT_FALSE(writer.IsOpen());

  // A full disk shows only when the buffered lines reach the file: Close must not report success.
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ConverterScriptWriter full(ConverterScriptKind::kWindowsBatch, "irfan.exe");
  full.Open("/dev/full");
  try {
    for (int i = 0; i < 1000; ++i) AddSamplePlans(full, "/shop/img");
    full.Close();
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("/dev/full"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quarvel::exporting
