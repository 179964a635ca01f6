#include "export/export_parameters.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

using Id = OptionId;

TEST(ExportParametersTest, NumbersThatDoNotReadTakeTheirFallbacks) {
  struct Case {
    std::string text;
    std::string out_of_stock;
    int threads;
    int sizes;  // rows per statement and statements per file
  };
  const Case cases[] = {
      {"7", "7", 7, 7},
      {" 3 ", "3", 3, 3},
      {"abc", "2", 10, 1000},
      {"", "2", 10, 1000},
      {"1.5", "2", 10, 1000},
      // Below 1: a script size of 0 would close statements with no rows in them.
      {"0", "0", 10, 1},
      {"-4", "-4", 10, 1},
  };
  for (const Case& c : cases) {
    Session session;
    session.options.SetText(Id::PreparationData_Pro_out_of_stock, c.text);
    session.options.SetText(Id::PreparationData_CountPotokForConverImg, c.text);
    session.options.SetText(Id::ExportData_Val_NestedData, c.text);
    session.options.SetText(Id::ExportData_Val_DevideScript, c.text);
    ExportParameters p = ReadExportParameters(session);
    EXPECT_EQ(p.out_of_stock, c.out_of_stock) << c.text;
    EXPECT_EQ(p.converter_threads, c.threads) << c.text;
    EXPECT_EQ(p.rows_per_statement, c.sizes) << c.text;
    EXPECT_EQ(p.statements_per_file, c.sizes) << c.text;
  }
}

TEST(ExportParametersTest, TextsStayRawAndDescriptionFilesReadWhole) {
  test::TempFolder folder;
  test::WriteFileBytes(folder / "cat.txt", "\xEF\xBB\xBF<p>{MODEL} it's</p>\r\nline 2\\");
  Session session;
  Options& o = session.options;
  o.SetText(Id::PreparationData_Cat_path_to_file_desc, (folder / "cat.txt").string());
  o.SetText(Id::PreparationData_Pro_path_to_file_desc, (folder / "missing.txt").string());
  o.SetText(Id::PreparationData_Pro_path_to_file_short_desc, folder.path().string());  // a folder, not a file
  o.SetText(Id::PreparationData_In_stock, "In 'stock'");
  o.SetText(Id::ConToPresta_Prefix, "shop_");
  o.SetBoolean(Id::ExportData_ExportOnCleanSystem, false);
  o.SetBoolean(Id::ExportData_ExportAllData, false);
  o.SetBoolean(Id::ExportData_Only_tables_of_products, false);

  ExportParameters p = ReadExportParameters(session);
  EXPECT_EQ(p.category_description, "<p>{MODEL} it's</p>\r\nline 2\\");
  EXPECT_EQ(p.product_description, "");
  EXPECT_EQ(p.short_description, "");
  EXPECT_EQ(p.in_stock_text, "In 'stock'");
  EXPECT_EQ(p.table_prefix, "shop_");
  EXPECT_FALSE(p.clean_store);
  EXPECT_FALSE(p.all_data);
  EXPECT_FALSE(p.tables_of_products);
  EXPECT_TRUE(p.tables_of_categories);
}

TEST(ExportParametersTest, ExportFolderGetsItsSeparatorOnce) {
  test::TempFolder folder;
  const std::string plain = (folder / "out").string();
  std::filesystem::create_directory(plain);
  EXPECT_EQ(ExportFolderPath(plain).string(), plain + "/");
  EXPECT_EQ(ExportFolderPath(plain + "/").string(), plain + "/");
  EXPECT_EQ((ExportFolderPath(plain) / "supplier.1.sql").string(), plain + "/supplier.1.sql");

  EXPECT_TRUE(ExportFolderExists(plain));
  EXPECT_TRUE(ExportFolderExists(plain + "/"));
  EXPECT_FALSE(ExportFolderExists(""));
  EXPECT_FALSE(ExportFolderExists("  "));
  EXPECT_FALSE(ExportFolderExists((folder / "nowhere").string()));
  test::WriteFileBytes(folder / "file", "x");
  EXPECT_FALSE(ExportFolderExists((folder / "file").string()));
}

TEST(ExportParametersTest, SelectionIdListsFilterOnlyWhenAskedTo) {
  Session session;
  SettingsLists& lists = session.lists;
  lists.cars.entries = {{"AUDI", "5", true}, {"BMW", "16", false}, {"VW", "121", true}};
  lists.part_brands.entries = {{"BOSCH", "30", false}};
  lists.trade_groups.entries = {{"[Brakes] Pads", "100260", true}};
  lists.part_groups.entries = {{"Filter", "7", true}, {"Pad", "402", true}};
  Options& o = session.options;
  o.SetBoolean(Id::ExportData_Only_selected_brand_of_cars, true);
  o.SetBoolean(Id::ExportData_Only_selected_brand_of_parts, true);  // nothing checked: no filter
  o.SetBoolean(Id::ExportData_Only_selected_trade_groups, false);   // checks, but the option is off
  o.SetBoolean(Id::ExportData_Only_selected_groups_of_parts, true);

  lists.car_list_mode = 1;
  ExportParameters p = ReadExportParameters(session);
  EXPECT_EQ(p.car_brand_ids, "5,121");
  EXPECT_EQ(p.car_model_ids, "");
  EXPECT_EQ(p.part_brand_ids, "");
  EXPECT_EQ(p.trade_group_ids, "");
  EXPECT_EQ(p.part_group_ids, "7,402");

  // In model mode the same checks are model ids.
  lists.car_list_mode = 2;
  p = ReadExportParameters(session);
  EXPECT_EQ(p.car_brand_ids, "");
  EXPECT_EQ(p.car_model_ids, "5,121");
}

TEST(ExportParametersTest, AdditionalLanguagesAreListedAndNumbered) {
  CheckList languages;
  languages.entries = {{"Deutsch > iso:[de]", "1", true},
                       {"English > iso:[en]", "4", false},
                       {"Russian > iso:[ru]", "16", true}};
  EXPECT_EQ(AdditionalLanguageList(languages), "[de]<#de>1</#de>[ru]<#ru>16</#ru>");

  EXPECT_EQ(ExportLanguagesText({}), "");
  EXPECT_EQ(ExportLanguagesText({{2, 1, "de"}, {5, 16, "ru"}}),
            "<ps_id_lang#1>2</ps_id_lang#1><tc_id_lang#1>1</tc_id_lang#1><tc_lang_name#1>de</tc_lang_name#1>"
            "<ps_id_lang#2>5</ps_id_lang#2><tc_id_lang#2>16</tc_id_lang#2><tc_lang_name#2>ru</tc_lang_name#2>"
            "<count>2</count>");
}

}  // namespace
}  // namespace quarvel::exporting
