#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "core/atomic_file.h"
#include "core/ini_file.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Id = OptionId;
using test::ReadFileBytes;
using test::ScriptedUi;
using test::TempFolder;
using test::WriteFileBytes;

std::string Key(const IniFile& ini, Id id) {
  const OptionSpec& entry = SpecOf(id);
  return ini.Get(entry.section, entry.key).value_or("<absent>");
}

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { session_.settings_file = dir_ / kSettingsFileName; }

  IniFile OnDisk() const { return IniFile::Load(session_.settings_file); }
  static std::function<void(CheckList&)> Fill(std::vector<std::string> ids) {
    return [ids](CheckList& list) {
      for (const std::string& id : ids) list.entries.push_back({"entry " + id, id, false});
    };
  }
  static std::vector<std::string> Checked(const CheckList& list) {
    std::vector<std::string> out;
    for (const CheckListEntry& e : list.entries)
      if (e.checked) out.push_back(e.id);
    return out;
  }

  TempFolder dir_;
  Session session_;
  ScriptedUi ui_;
};

TEST_F(SettingsTest, AbsentFileAndUnreadableValuesGiveDefaults) {
  LoadSettings(session_);
  EXPECT_EQ(session_.options.Integer(Id::ConToTD_Lang), 4);
  EXPECT_EQ(session_.options.Integer(Id::ConToTD_Reg), 250);
  EXPECT_EQ(session_.lists.car_list_mode, 1);
  EXPECT_EQ(session_.lists.cleaning_tables.entries.size(), 31u);
  EXPECT_TRUE(Checked(session_.lists.cleaning_tables).empty());
  EXPECT_TRUE(session_.lists.ftp_servers.entries.empty());

  WriteFileBytes(session_.settings_file,
                 "[ConToTD]\nLang=sixteen\nReg=\n"
                 "[PreparationData]\nCat_trans_manuf=yes\nImagesExportFromWeb=2\n"
                 "[ExportData]\nForCars_groupsByBrands=0\n"
                 "[ImportData]\nListOfTablesForCleaning=[1][12][30]\n"
                 "[WorkWithStore]\nValueForInc=often\nFTP_checkEvery=x\n"
                 "ListOfLinkImgToCat=a###  ###b###c\n");
  LoadSettings(session_);
  const Options& o = session_.options;
  EXPECT_EQ(o.Integer(Id::ConToTD_Lang), 4);
  EXPECT_EQ(o.Integer(Id::ConToTD_Reg), 250);
  EXPECT_TRUE(o.Boolean(Id::PreparationData_Cat_trans_manuf));
  EXPECT_TRUE(o.Boolean(Id::PreparationData_ImagesExportFromWeb));
  EXPECT_EQ(o.Integer(Id::WorkWithStore_ValueForInc), 1);
  EXPECT_EQ(o.Integer(Id::WorkWithStore_FTP_checkEvery), 1);
  EXPECT_EQ(o.Items(Id::WorkWithStore_ListOfLinkImgToCat), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(session_.lists.car_list_mode, 2);
  EXPECT_EQ(Checked(session_.lists.cleaning_tables), (std::vector<std::string>{"1", "12", "30"}));
  EXPECT_EQ(session_.lists.cleaning_tables.entries[12].text, "image_lang");
}

TEST_F(SettingsTest, CloseWritesTheOptionsAndKeepsWhatItDoesNotOwn) {
  WriteFileBytes(session_.settings_file,
                 "; my notes\n"
                 "[ConToPresta]\nServer=old\nMyOwnKey=42\n"
                 "[WorkWithStore]\nFTP_checkEvery=7\n"
                 "[FormEditNames]\nCheckList=[5][6]\nCheckListBrands=[8]\nListIDCriteriesForFilters=[100]\n"
                 "[ExportData]\nCheckListParts_Brand=[3]\n"
                 "[Mine]\nx=y\n");
  LoadSettings(session_);
  LoadEditingWindowSettings(session_);
  EXPECT_EQ(session_.options.Integer(Id::WorkWithStore_FTP_checkEvery), 7);  // no period selected

  session_.options.SetText(Id::ConToPresta_Server, "db.shop");
  session_.options.SetText(Id::ConToPresta_Port, "33o6");  // stored as typed
  session_.options.SetItems(Id::WorkWithStore_ListOfLinkImgToProduct, {"p1", "p2"});
  session_.lists.cleaning_tables.entries[0].checked = true;
  session_.lists.cleaning_tables.entries[17].checked = true;
  // The editing window filled its manufacturer list (nothing checked) but not its criteria list.
  session_.lists.edit_brands.entries = {{"Bosch", "8", false}};
  session_.lists.edit_brands.filled = true;
  bool disconnected = false;
  ASSERT_TRUE(SaveSettingsOnClose(session_, ui_, [&] {
    disconnected = true;
    throw std::runtime_error("connection lost");  // ignored
  }));
  EXPECT_TRUE(disconnected);

  std::string bytes = ReadFileBytes(session_.settings_file);
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF; my notes\r\n[ConToPresta]\r\n", 0), 0u);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
  IniFile ini = OnDisk();
  EXPECT_EQ(Key(ini, Id::ConToPresta_Server), "db.shop");
  EXPECT_EQ(Key(ini, Id::ConToPresta_Port), "33o6");
  EXPECT_EQ(ini.Get("ConToPresta", "MyOwnKey"), "42");
  EXPECT_EQ(ini.Get("Mine", "x"), "y");
  EXPECT_EQ(Key(ini, Id::ConToTD_Lang), "4");
  EXPECT_EQ(Key(ini, Id::WorkWithStore_FTP_checkEvery), "7");
  EXPECT_EQ(Key(ini, Id::WorkWithStore_ListOfLinkImgToProduct), "p1###p2###");
  EXPECT_EQ(Key(ini, Id::ImportData_ListOfTablesForCleaning), "[0][17]");
  EXPECT_EQ(Key(ini, Id::FormEditNames_CheckList), "[5][6]");
  EXPECT_EQ(Key(ini, Id::FormEditNames_CheckListBrands), "");
  EXPECT_EQ(Key(ini, Id::FormEditNames_ListIDCriteriesForFilters), "[100]");
  EXPECT_EQ(Key(ini, Id::ExportData_CheckListParts_Brand), "[3]");  // list never filled
  EXPECT_EQ(Key(ini, Id::ExportData_CheckListCars_GroupsByBrand), "<absent>");
  EXPECT_EQ(Key(ini, Id::ExcelExportImport_UpdateDataProductFeature_value), "0");

  // A period chosen in the window replaces the kept value.
  session_.options.SetInteger(Id::WorkWithStore_FTP_checkEvery, 5);
  ASSERT_TRUE(SaveSettingsOnClose(session_, ui_));
  EXPECT_EQ(Key(OnDisk(), Id::WorkWithStore_FTP_checkEvery), "5");
}

TEST_F(SettingsTest, SelectionListsKeepWholeIdChecksAcrossARefill) {
  WriteFileBytes(session_.settings_file, "[ExportData]\nCheckListParts_Brand=[12][123]\n");
  LoadSettings(session_);
  RefreshSelectionList(session_, SelectionList::PartBrands, Fill({"1", "12", "23", "123"}));
  EXPECT_EQ(Checked(session_.lists.part_brands), (std::vector<std::string>{"12", "123"}));

  // A second refill takes the checks from the list as it stands, not from the file.
  session_.lists.part_brands.entries[0].checked = true;
  RefreshSelectionList(session_, SelectionList::PartBrands, Fill({"1", "12", "99"}));
  EXPECT_EQ(Checked(session_.lists.part_brands), (std::vector<std::string>{"1", "12"}));
  EXPECT_EQ(Key(OnDisk(), Id::ExportData_CheckListParts_Brand), "[12][123]");  // in memory until close

  // A failing refill leaves the list as it was, so the close cannot wipe its checks.
  EXPECT_THROW(RefreshSelectionList(session_, SelectionList::PartBrands,
                                    [](CheckList& list) {
                                      list.entries.push_back({"half", "1", false});
                                      throw std::runtime_error("catalogue gone");
                                    }),
               std::runtime_error);
  EXPECT_EQ(Checked(session_.lists.part_brands), (std::vector<std::string>{"1", "12"}));
  ASSERT_TRUE(SaveSettingsOnClose(session_, ui_));
  EXPECT_EQ(Key(OnDisk(), Id::ExportData_CheckListParts_Brand), "[1][12]");
}

TEST_F(SettingsTest, EachCarListModeKeepsItsOwnChecks) {
  WriteFileBytes(session_.settings_file,
                 "[ExportData]\nForCars_groupsByBrands=1\n"
                 "CheckListCars_GroupsByBrand=[7]\nCheckListCars_GroupsByModel=[700]\n");
  LoadSettings(session_);
  const auto brands = Fill({"5", "7", "9"});
  const auto models = Fill({"500", "700", "900"});
  RefreshSelectionList(session_, SelectionList::Cars, brands);
  EXPECT_EQ(Checked(session_.lists.cars), (std::vector<std::string>{"7"}));
  session_.lists.cars.entries[0].checked = true;  // brands 5 and 7

  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, false);
  RefreshSelectionList(session_, SelectionList::Cars, models);
  EXPECT_EQ(session_.lists.car_list_mode, 2);
  EXPECT_EQ(Checked(session_.lists.cars), (std::vector<std::string>{"700"}));
  EXPECT_EQ(Key(OnDisk(), Id::ExportData_CheckListCars_GroupsByBrand), "[5][7]");
  session_.lists.cars.entries[2].checked = true;  // models 700 and 900

  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, true);
  RefreshSelectionList(session_, SelectionList::Cars, brands);
  EXPECT_EQ(session_.lists.car_list_mode, 1);
  EXPECT_EQ(Checked(session_.lists.cars), (std::vector<std::string>{"5", "7"}));
  EXPECT_EQ(Key(OnDisk(), Id::ExportData_CheckListCars_GroupsByModel), "[700][900]");

  // Closing in model mode writes the model key only.
  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, false);
  RefreshSelectionList(session_, SelectionList::Cars, models);
  session_.lists.cars.SetAllChecked(false);
  WriteFileBytes(session_.settings_file,
                 "[ExportData]\nCheckListCars_GroupsByBrand=[7]\nCheckListCars_GroupsByModel=[700]\n");
  ASSERT_TRUE(SaveSettingsOnClose(session_, ui_));
  IniFile ini = OnDisk();
  EXPECT_EQ(Key(ini, Id::ExportData_CheckListCars_GroupsByBrand), "[7]");
  EXPECT_EQ(Key(ini, Id::ExportData_CheckListCars_GroupsByModel), "");
  EXPECT_EQ(Key(ini, Id::ExportData_ForCars_groupsByBrands), "0");
}

TEST_F(SettingsTest, CloseIsRefusedWhileTheFtpCheckRunsAndWritesNothing) {
  const std::string settings = "[ConToTD]\nServer=kept\n";
  const std::string servers = "[MainSet]\ncountlist=1\nftpserver[1]delete=0\nftpserver[1]active=0\n";
  WriteFileBytes(session_.settings_file, settings);
  WriteFileBytes(dir_ / kFtpServerListFileName, servers);
  LoadSettings(session_);
  session_.options.SetText(Id::ConToTD_Server, "changed");
  session_.lists.ftp_servers.entries = {{"srv", "1", true}};
  session_.ftp_check_running = true;
  bool disconnected = false;

  EXPECT_FALSE(SaveSettingsOnClose(session_, ui_, [&] { disconnected = true; }));
  EXPECT_EQ(ui_.informed, (std::vector<std::string>{"Fisrt need stop process check ftp servers !"}));
  EXPECT_FALSE(disconnected);
  EXPECT_EQ(ReadFileBytes(session_.settings_file), settings);
  EXPECT_EQ(ReadFileBytes(dir_ / kFtpServerListFileName), servers);
}

TEST_F(SettingsTest, CloseWritesTheServerChecksIntoTheServerList) {
  WriteFileBytes(dir_ / kFtpServerListFileName,
                 "[MainSet]\ncountlist=2\n"
                 "ftpserver[1]delete=0\nftpserver[1]active=0\nftpserver[1]name=A\n"
                 "ftpserver[2]delete=0\nftpserver[2]active=1\nftpserver[2]name=B\n"
                 "[SetForServer]\n"
                 "ftpserver[1]url=h\nftpserver[1]user=u\nftpserver[1]psw=p\nftpserver[1]path=f\n"
                 "ftpserver[1]codepart=c\nftpserver[1]stock=s\n"
                 "ftpserver[2]url=h\nftpserver[2]user=u\nftpserver[2]psw=p\nftpserver[2]path=f\n"
                 "ftpserver[2]codepart=c\nftpserver[2]stock=s\n");
  LoadSettings(session_);
  ASSERT_EQ(session_.lists.ftp_servers.entries.size(), 2u);
  EXPECT_EQ(Checked(session_.lists.ftp_servers), (std::vector<std::string>{"2"}));
  session_.lists.ftp_servers.SetAllChecked(false);
  session_.lists.ftp_servers.entries[0].checked = true;
  ASSERT_TRUE(SaveSettingsOnClose(session_, ui_));

  IniFile ftp = IniFile::Load(dir_ / kFtpServerListFileName);
  EXPECT_EQ(ftp.Get("MainSet", "ftpserver[1]active"), "1");
  EXPECT_EQ(ftp.Get("MainSet", "ftpserver[2]active"), "0");
  EXPECT_EQ(ftp.Get("MainSet", "ftpserver[2]name"), "B");
  EXPECT_EQ(ftp.Get("SetForServer", "ftpserver[2]stock"), "s");
}

TEST_F(SettingsTest, AFailedCloseLeavesTheSettingsFileAsItWas) {
  const std::string settings = "[ConToTD]\nServer=kept\n";
  WriteFileBytes(session_.settings_file, settings);
  LoadSettings(session_);
  session_.options.SetText(Id::ConToTD_Server, "changed");
  ScopedAtomicFileFault fault([](AtomicFileStep step, std::uintmax_t) {
    if (step == AtomicFileStep::Sync) throw std::runtime_error("I/O error");
  });
  EXPECT_THROW(SaveSettingsOnClose(session_, ui_), std::runtime_error);
  EXPECT_EQ(ReadFileBytes(session_.settings_file), settings);
}

TEST_F(SettingsTest, ImmediateSavesChangeOnlyTheirKeys) {
  WriteFileBytes(session_.settings_file, "[ConToTD]\nServer=a\n[ConToPresta]\nServer=b\n");
  LoadSettings(session_);
  session_.options.SetText(Id::ConToTD_Server, "catalogue");
  session_.options.SetText(Id::ConToPresta_Server, "store");
  SaveCatalogueConnection(session_);
  EXPECT_EQ(Key(OnDisk(), Id::ConToPresta_Server), "b");
  EXPECT_EQ(Key(OnDisk(), Id::ConToTD_Server), "catalogue");

  session_.lists.additional_languages.entries = {{"English > iso:[en]", "4", true},
                                                 {"German > iso:[de]", "1", false},
                                                 {"Polish > iso:[pl]", "29", true}};
  EXPECT_EQ(SaveAdditionalLanguages(session_), "Exporting data for additional languages : en pl ");
  EXPECT_EQ(Key(OnDisk(), Id::ConToTD_ListAdditionalLanguages), "[4][29]");
  EXPECT_EQ(Key(OnDisk(), Id::ConToPresta_Server), "b");
}

TEST(ResolveSettingsFileTest, FollowsTheLocationRule) {
  TempFolder dir;
  EXPECT_EQ(ResolveSettingsFile(dir.path(), dir / "elsewhere.ini"), dir / "elsewhere.ini");
  EXPECT_EQ(ResolveSettingsFile(dir.path(), std::nullopt), dir / "Quarvel.ini");
  EXPECT_FALSE(std::filesystem::exists(dir / ".quarvel-write-probe"));

  // A program folder that takes no files sends the settings to the user's configuration folder.
  const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old_xdg ? old_xdg : "";
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  EXPECT_EQ(ResolveSettingsFile(dir / "missing", std::nullopt), dir / "config" / "Quarvel" / "Quarvel.ini");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "config" / "Quarvel"));
  if (old_xdg)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace quarvel
