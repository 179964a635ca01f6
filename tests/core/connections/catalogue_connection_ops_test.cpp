#include "core/catalogue_connection_ops.h"

#include <gtest/gtest.h>

#include <set>

#include "core/ini_file.h"
#include "core/settings.h"
#include "export/selection_lists.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Id = OptionId;

class CatalogueConnectionOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseEmptyOdbcConfiguration();
    session_.settings_file = folder_ / "Quarvel.ini";
    session_.refresh_selection_lists = exporting::RefreshSelectionLists;
  }
  void UseFixtureCatalogue() { test::SetCatalogueOptions(session_.options, catalogue_.settings()); }
  std::vector<std::string> Texts(const CheckList& list) {
    std::vector<std::string> texts;
    for (const auto& e : list.entries) texts.push_back(e.text);
    return texts;
  }

  test::TempFolder folder_;
  test::CatalogueFixture catalogue_;
  Session session_;
  test::ScriptedUi ui_;
};

TEST_F(CatalogueConnectionOpsTest, ConnectingSavesFillsListsAndShowsLanguageAndRegion) {
  UseFixtureCatalogue();
  test::WriteFileBytes(folder_ / "Quarvel.ini", "[ConToTD]\r\nListAdditionalLanguages=[16][1]\r\n");
  int notifications = 0;
  session_.connection_state_changed = [&] { ++notifications; };

  TestCatalogueConnection(session_, ui_);

  ASSERT_TRUE(session_.catalogue_state.connected) << session_.catalogue_state.status;
  EXPECT_GT(notifications, 0);
  EXPECT_EQ(session_.catalogue_state.status,
            "Setting for TecDoc : Language export [" + session_.catalogue_choices.language_name +
                "] | Region export [" + session_.catalogue_choices.region_name + "]");
  EXPECT_FALSE(session_.catalogue_choices.language_name.empty());
  EXPECT_FALSE(session_.catalogue_choices.region_name.empty());

  // The connection data reached the file at once.
  IniFile file = IniFile::Load(folder_ / "Quarvel.ini");
  EXPECT_EQ(file.Get("ConToTD", "Driver"), catalogue_.settings().driver);
  EXPECT_EQ(file.Get("ConToTD", "Lang"), "4");

  // Additional languages carry their ISO code in brackets; the saved checks are restored and the
  // caption lists the checked codes in list order.
  const CheckList& languages = session_.lists.additional_languages;
  ASSERT_EQ(languages.entries.size(), 3u);
  std::string caption = "Exporting data for additional languages : ";
  for (const auto& e : languages.entries) {
    EXPECT_NE(e.text.find(" > iso:["), std::string::npos) << e.text;
    EXPECT_EQ(e.checked, e.id == "16" || e.id == "1") << e.text;
    if (e.checked) caption += e.text.substr(e.text.find('[') + 1, 2) + " ";
  }
  EXPECT_EQ(session_.catalogue_choices.additional_languages_caption, caption);

  // The export's selection lists were refilled through the hook.
  EXPECT_FALSE(session_.lists.cars.entries.empty());
  EXPECT_FALSE(session_.lists.part_brands.entries.empty());
  EXPECT_FALSE(session_.lists.trade_groups.entries.empty());
  EXPECT_FALSE(session_.lists.part_groups.entries.empty());
}

TEST_F(CatalogueConnectionOpsTest, StartUpWithoutDriverShowsTheErrorAndKeepsTheBoxes) {
  session_.options.SetText(Id::ConToTD_Driver, "");
  session_.options.SetText(Id::ConToTD_Database, "");
  DiscoverCatalogue(session_, ui_);
  EXPECT_FALSE(session_.catalogue_state.connected);
  EXPECT_FALSE(session_.catalogue.IsOpen());
  EXPECT_EQ(session_.catalogue_state.status.rfind("Setting for TecDoc : Error connecting to TecDoc [", 0), 0u)
      << session_.catalogue_state.status;
  EXPECT_EQ(session_.catalogue_state.status.back(), ']');
  EXPECT_EQ(session_.options.Text(Id::ConToTD_Driver), "");

  // A driver that fails is not wiped either: without an installed catalogue there is nothing to
  // replace it with, and closing would save it empty.
  session_.options.SetText(Id::ConToTD_Driver, "/nowhere/libnothing.so");
  DiscoverCatalogue(session_, ui_);
  EXPECT_FALSE(session_.catalogue_state.connected);
  EXPECT_EQ(session_.options.Text(Id::ConToTD_Driver), "/nowhere/libnothing.so");
}

TEST_F(CatalogueConnectionOpsTest, DataSourceFileBelowTheInstallationFolder) {
  EXPECT_EQ(CatalogueDataSourceFile("C:\\TECDOC\\"), "C:\\TECDOC\\pb\\tof.dsn");
  EXPECT_EQ(CatalogueDataSourceFile("C:\\TECDOC"), "C:\\TECDOC\\pb\\tof.dsn");
  EXPECT_EQ(CatalogueDataSourceFile("  "), "");
}

TEST_F(CatalogueConnectionOpsTest, RegionBoxListsGroupsFirstEachOnceAlsoWhenOpenedTwice) {
  UseFixtureCatalogue();
  TestCatalogueConnection(session_, ui_);
  ASSERT_TRUE(session_.catalogue.IsOpen()) << session_.catalogue_state.status;
  ListCatalogueRegions(session_, ui_);
  ListCatalogueRegions(session_, ui_);
  const auto& regions = session_.catalogue_choices.regions;
  ASSERT_FALSE(regions.empty());
  size_t groups = 0;
  while (groups < regions.size() && regions[groups].text.rfind("[GroupCounties] : ", 0) == 0) ++groups;
  EXPECT_EQ(groups, 2u);
  std::set<std::string> ids;
  for (size_t i = 0; i < regions.size(); ++i) {
    if (i >= groups) {
      EXPECT_EQ(regions[i].text.rfind("[Countries] : ", 0), 0u) << regions[i].text;
    }
    EXPECT_TRUE(ids.insert(regions[i].id).second) << "listed twice: " << regions[i].text;
    if (i > 0 && i != groups) {
      EXPECT_LE(regions[i - 1].text, regions[i].text);
    }
  }
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(CatalogueConnectionOpsTest, ChoosingALanguageRefreshesNamesAndIgnoresBlankIds) {
  UseFixtureCatalogue();
  TestCatalogueConnection(session_, ui_);
  ListCatalogueLanguages(session_, ui_);
  ASSERT_EQ(session_.catalogue_choices.languages.size(), 3u);
  std::string english = session_.catalogue_choices.language_name;

  EXPECT_FALSE(ChooseCatalogueLanguage(session_, ui_, " "));
  EXPECT_EQ(session_.CatalogueLanguageId(), 4);
  EXPECT_TRUE(ChooseCatalogueLanguage(session_, ui_, "1"));
  EXPECT_EQ(session_.CatalogueLanguageId(), 1);
  EXPECT_NE(session_.catalogue_choices.language_name, english);
  EXPECT_TRUE(session_.catalogue_state.connected);
}

TEST_F(CatalogueConnectionOpsTest, CarListSwitchesBetweenBrandsAndModelsKeepingEachModesChecks) {
  UseFixtureCatalogue();
  TestCatalogueConnection(session_, ui_);
  ASSERT_TRUE(session_.catalogue.IsOpen());
  ASSERT_FALSE(session_.lists.cars.entries.empty());
  session_.lists.cars.entries.front().checked = true;
  std::string brand_id = session_.lists.cars.entries.front().id;

  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, false);
  exporting::RefreshCarList(session_);
  EXPECT_EQ(session_.lists.car_list_mode, 2);
  ASSERT_FALSE(session_.lists.cars.entries.empty());
  for (const auto& e : session_.lists.cars.entries) {
    EXPECT_EQ(e.text.front(), '[') << e.text;
    EXPECT_NE(e.text.find("] "), std::string::npos);
    EXPECT_NE(e.text.find(" - "), std::string::npos);
    EXPECT_FALSE(e.checked);
  }
  session_.lists.cars.entries.back().checked = true;

  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, true);
  exporting::RefreshCarList(session_);
  EXPECT_EQ(session_.lists.car_list_mode, 1);
  for (const auto& e : session_.lists.cars.entries) EXPECT_EQ(e.checked, e.id == brand_id) << e.text;
  IniFile file = IniFile::Load(folder_ / "Quarvel.ini");
  EXPECT_EQ(file.Get("ExportData", "CheckListCars_GroupsByBrand"), "[" + brand_id + "]");
  EXPECT_TRUE(file.Get("ExportData", "CheckListCars_GroupsByModel").value_or("").size() > 2);
}

TEST_F(CatalogueConnectionOpsTest, YearOptionKeepsModelsStillBuiltInTheYear) {
  // Models of 2001-2004, 2001-open and from 2006, with the year 2005.
  test::CatalogueFixture catalogue(R"sql(
    INSERT INTO TOF_DES_TEXTS (TEX_ID, TEX_TEXT) VALUES (990001, 'OLD'), (990002, 'OPEN'), (990003, 'NEW');
    INSERT INTO TOF_COUNTRY_DESIGNATIONS (CDS_ID, CDS_LNG_ID, CDS_TEX_ID, CDS_CTM) VALUES
      (990001, 4, 990001, ',250,'), (990002, 4, 990002, ',250,'), (990003, 4, 990003, ',250,');
    INSERT INTO TOF_MANUFACTURERS (MFA_ID, MFA_BRAND, MFA_PC_MFC, MFA_CV_MFC, MFA_PC_CTM, MFA_CV_CTM) VALUES
      (990000, 'YEARTEST', 1, 0, ',250,', ',');
    INSERT INTO TOF_MODELS (MOD_ID, MOD_MFA_ID, MOD_CDS_ID, MOD_PCON_START, MOD_PCON_END, MOD_PC, MOD_CV, MOD_PC_CTM, MOD_CV_CTM) VALUES
      (990001, 990000, 990001, 200101, 200412, 1, 0, ',250,', ','),
      (990002, 990000, 990002, 200101, NULL, 1, 0, ',250,', ','),
      (990003, 990000, 990003, 200601, NULL, 1, 0, ',250,', ',');
  )sql");
  test::SetCatalogueOptions(session_.options, catalogue.settings());
  session_.options.SetBoolean(Id::ExportData_ForCars_groupsByBrands, false);
  session_.options.SetBoolean(Id::ExportData_Models_Only_from_year, true);
  session_.options.SetText(Id::ExportData_From_Year_for_models, "2005");
  TestCatalogueConnection(session_, ui_);
  ASSERT_TRUE(session_.catalogue.IsOpen()) << session_.catalogue_state.status;
  std::set<std::string> ids;
  for (const auto& e : session_.lists.cars.entries) ids.insert(e.id);
  EXPECT_FALSE(ids.count("990001"));
  EXPECT_TRUE(ids.count("990002"));
  EXPECT_TRUE(ids.count("990003"));

  session_.options.SetText(Id::ExportData_From_Year_for_models, "-3");
  EXPECT_EQ(exporting::ModelsFromYear(session_.options), 1990);
}

}  // namespace
}  // namespace quarvel
