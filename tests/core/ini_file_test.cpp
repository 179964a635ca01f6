#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "core/atomic_file.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

// A hand-edited file: LF only, no BOM, comments, a duplicate key, an unknown section, odd blanks
// and a line that is neither key nor section.
constexpr const char* kHandEdited =
    "; written by hand\n"
    "[ConToTD]\n"
    "  Server =  db.local  \n"
    "Lang=4\n"
    "lang=9\n"
    "garbage line\n"
    "\n"
    "; the store\n"
    "[Unknown]\n"
    "Keep=me\n";

TEST(IniFileTest, EditsOnlyTheKeysSetAndKeepsEverythingElseInPlace) {
  IniFile ini = IniFile::Parse(kHandEdited);
  EXPECT_EQ(ini.Get("contotd", "SERVER"), "db.local");
  EXPECT_EQ(ini.Get("ConToTD", "Lang"), "4");  // the first of duplicates counts
  EXPECT_EQ(ini.Get("unknown", "keep"), "me");
  EXPECT_EQ(ini.Get("ConToTD", "garbage line"), std::nullopt);
  EXPECT_EQ(ini.Get("ConToTD", "Missing"), std::nullopt);

  ini.Set("CONTOTD", "LANG", "16");        // updates the first duplicate, keeps its spelling
  ini.Set("ConToTD", "Reg", "250");        // new: after the section's last key, before the comment
  ini.Set("ConToPresta", "Port", "3306");  // new section at the end
  ini.Set("ConToPresta", "User", "shop");

  EXPECT_EQ(ini.Serialize(),
            "\xEF\xBB\xBF"
            "; written by hand\r\n"
            "[ConToTD]\r\n"
            "  Server =  db.local  \r\n"
            "Lang=16\r\n"
            "lang=9\r\n"
            "Reg=250\r\n"
            "garbage line\r\n"
            "\r\n"
            "; the store\r\n"
            "[Unknown]\r\n"
            "Keep=me\r\n"
            "\r\n"
            "[ConToPresta]\r\n"
            "Port=3306\r\n"
            "User=shop\r\n");
}

TEST(IniFileTest, ReadsEveryEncodingOfLineEndsAndByteOrderMark) {
  const struct {
    const char* name;
    const char* bytes;
  } cases[] = {
      {"LF", "[S]\nA=1\nB = two words \n"},
      {"CR LF", "[S]\r\nA=1\r\nB = two words \r\n"},
      {"BOM CR LF", "\xEF\xBB\xBF[S]\r\nA=1\r\nB = two words \r\n"},
      {"BOM LF, no final line end", "\xEF\xBB\xBF[S]\nA=1\nB = two words "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IniFile ini = IniFile::Parse(c.bytes);
    EXPECT_EQ(ini.Get("S", "A"), "1");
    EXPECT_EQ(ini.Get("s", "b"), "two words");
  }
}

TEST(IniFileTest, AValueCannotStartANewLine) {
  IniFile ini;
  ini.Set("S", "Name", "x\r\n[Evil]\r\nInjected=1");
  IniFile again = IniFile::Parse(ini.Serialize());
  EXPECT_EQ(again.Get("Evil", "Injected"), std::nullopt);
  EXPECT_EQ(again.Get("S", "Name"), "x  [Evil]  Injected=1");
}

TEST(IniFileTest, SaveAndLoadRoundTripOnDisk) {
  TempFolder dir;
  std::filesystem::path path = dir / "a.ini";
  EXPECT_EQ(IniFile::Load(path).Serialize(), "\xEF\xBB\xBF");  // a missing file is an empty one

  WriteFileBytes(path, kHandEdited);
  std::filesystem::permissions(path,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  IniFile ini = IniFile::Load(path);
  ini.Set("Unknown", "Keep", "still");
  ini.Save(path);

  IniFile back = IniFile::Load(path);
  EXPECT_EQ(back.Get("Unknown", "Keep"), "still");
  EXPECT_EQ(back.Get("ConToTD", "Lang"), "4");
  // The file may hold passwords: replacing it must not widen who can read it.
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFileTest, AFolderInPlaceOfTheFileIsReportedNotTakenAsEmpty) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "x.ini");
  EXPECT_THROW(IniFile::Load(dir / "x.ini"), std::runtime_error);
}

// Whatever step of a save fails, the old file stays whole, no temporary file is left behind and the
// error names the file.
TEST(AtomicFileTest, AFailedSaveLeavesTheOldFileWhole) {
  const struct {
    const char* name;
    AtomicFileStep step;
    std::uintmax_t after_bytes;
  } cases[] = {
      {"create", AtomicFileStep::Create, 0},
      {"write, half way", AtomicFileStep::Write, 4096},
      {"sync", AtomicFileStep::Sync, 0},
      {"rename", AtomicFileStep::Rename, 0},
  };
  const std::string old_content = "\xEF\xBB\xBF[S]\r\nA=old\r\n";
  IniFile big;
  for (int i = 0; i < 1000; ++i)
    big.Set("S", "Key" + std::to_string(i), "a value long enough to need chunks");
  ASSERT_GT(big.Serialize().size(), 3 * 4096u);

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    std::filesystem::path path = dir / "Quarvel.ini";
    WriteFileBytes(path, old_content);
    std::uintmax_t written_when_failed = 0;
    ScopedAtomicFileFault fault([&](AtomicFileStep step, std::uintmax_t bytes) {
      if (step == c.step && bytes >= c.after_bytes) {
        written_when_failed = bytes;
        throw std::runtime_error("disk full");
      }
    });
    try {
      big.Save(path);
      ADD_FAILURE() << "the save did not report the failure";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("disk full"), std::string::npos) << e.what();
    }
    if (c.step == AtomicFileStep::Write) {
      EXPECT_EQ(written_when_failed, 4096u);
    }
    EXPECT_EQ(ReadFileBytes(path), old_content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

TEST(AtomicFileTest, AFailingRenameOfTheRealFileSystemIsReported) {
  TempFolder dir;
  std::filesystem::path target = dir / "busy";
  std::filesystem::create_directory(target);
  WriteFileBytes(target / "inside", "x");  // a non-empty folder cannot be replaced by a file
  EXPECT_THROW(WriteFileAtomically(target, "new"), std::runtime_error);
  EXPECT_EQ(ReadFileBytes(target / "inside"), "x");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EXPECT_THROW(WriteFileAtomically(dir / "no-such-folder" / "f", "new"), std::runtime_error);
}

TEST(AtomicFileTest, WritingThroughALinkReplacesTheLinkedFile) {
  TempFolder dir;
  WriteFileBytes(dir / "real.ini", "old");
  std::filesystem::create_symlink(dir / "real.ini", dir / "link.ini");
  WriteFileAtomically(dir / "link.ini", "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "real.ini"), "new");
}

}  // namespace
}  // namespace quarvel
