#include "export/criterion_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/catalogue_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel::exporting {
namespace {

std::vector<std::string> Texts(const std::vector<ChoiceEntry>& entries) {
  std::vector<std::string> texts;
  for (const ChoiceEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

TEST(CriterionBoxes, FilledFromTheCatalogueOnceWhileConnected) {
  test::UseEmptyOdbcConfiguration();
  test::CatalogueFixture fixture;
  test::TempFolder folder;
  Session session;
  session.settings_file = folder / "Quarvel.ini";
  test::ScriptedUi ui;

  FillCriterionBox(session, ui, CriterionBox::kAddCritery);  // not connected: nothing
  EXPECT_TRUE(session.catalogue_choices.addcritery_entries.empty());

  session.catalogue.Connect(fixture.settings().driver, fixture.settings().database, "", "");
  session.options.SetInteger(OptionId::ConToTD_Lang, 4);
  FillCriterionBox(session, ui, CriterionBox::kAddCritery);
  // Language 4 plus the designation without a language, ordered by name.
  const std::vector<std::string> english = {"Front Axle", "Height [mm]", "Thread Size", "Ø [mm]"};
  EXPECT_EQ(Texts(session.catalogue_choices.addcritery_entries), english);
  EXPECT_TRUE(session.catalogue_choices.dimension_entries[2].empty());

  // A box that has entries keeps them, whatever the language is now.
  session.options.SetInteger(OptionId::ConToTD_Lang, 1);
  FillCriterionBox(session, ui, CriterionBox::kAddCritery);
  EXPECT_EQ(Texts(session.catalogue_choices.addcritery_entries), english);
  FillCriterionBox(session, ui, CriterionBox::kDepth);
  EXPECT_EQ(Texts(session.catalogue_choices.dimension_entries[2]),
            (std::vector<std::string>{"Gewindemaß", "Höhe [mm]", "Vorderachse", "Ø [mm]"}));
  EXPECT_EQ(&CriterionBoxEntries(session, CriterionBox::kWeight),
            &session.catalogue_choices.dimension_entries[3]);
  EXPECT_TRUE(ui.errors.empty());
}

TEST(CriterionBoxes, InsertedPlaceholder) {
  EXPECT_EQ(CriterionPlaceholder("Fitting Position"), "{Fitting Position}");
  EXPECT_EQ(CriterionPlaceholder("Ø [mm]"), "{Ø [mm]}");
  EXPECT_EQ(CriterionPlaceholder(""), "");
}

std::string Joined(const HelpFile& help) {
  std::string text;
  for (const std::string& line : help.lines) text += line + "\n";
  return text;
}

TEST(TemplateHelp, CategoryValuesFile) {
  const HelpFile help = TemplateHelpFile(TemplateHelp::kCategoryValues);
  EXPECT_EQ(help.file_name, "ValuesForUsedCreateTexDataCategories.txt");
  const std::string model =
      "         {MODEL} - model of car, for example : \"3(E36)\"\n"
      "         {BODYTYPE} - body type of car, for example : \"sedan\"\n"
      "         {STARTANDENDYEARMODEL} - the initial and final year of the model car, for example : "
      "\"01/1991 - 12/1997\"\n";
  const std::string type =
      "         {ENGINETYPE} - type of engine, for example : \"318 tds\"\n"
      "         {ENGCC} - volume engine, for example : \"1982\"\n"
      "         {ENGKW} - KW, for example : \"75\"\n"
      "         {ENGPS} - horsepower, for example : \"100\"\n"
      "         {ENGLIST} - list of code engines, for example : \"M52B28, M52B28TU\"\n"
      "         {STARTANDENDYEARTYPE} - the initial and final year of the this type car, for example : "
      "\"01/1991 - 12/1997\"\n";
  EXPECT_EQ(
      Joined(help),
      "DATA THAT CAN BE USED TO CREATE :\n--------------------\n... title for MODEL :\n" + model +
          "... title for TYPE :\n" + type + "... for description :\n" +
          "         {MANUFACTURER} - manufacturer of car, for example : \"BMW\"\n" + model + type +
          "         {ADDITIONALDATACAR} - specifications vehicle, for example : \"Engine type => Diesel "
          "engine<br>Number of cylinders => 4<br>Valves per cylinder => 2<br>Fuel => Diesel<br>\"\n"
          "--------------------\n");
}

TEST(TemplateHelp, ProductValuesFile) {
  const HelpFile help = TemplateHelpFile(TemplateHelp::kProductValues);
  EXPECT_EQ(help.file_name, "ValuesForUsedCreateTexDataProduct.txt");
  EXPECT_EQ(
      Joined(help),
      "DATA THAT CAN BE USED TO CREATE :\n--------------------\n... title for NAME PRODUCT :\n"
      "         {BRAND} - name manufacturer or supplier, for example \"TRW\"\n"
      "         {TRADENUMBER} - trade number for part, for example \"DF4439\"\n"
      "         {NAMEOFPART} - name of part, for example \"Brake Disc\"\n"
      "         {ADDCRITERY} - additional data for parts, formed separately from the values of criteria, "
      "for example \"Front Axle\"\n"
      "... for description of part :\n"
      "         {CROSSREF} - list cross-references numbers, for example \"ATE 24.0122-0150.1<br>BREMBO "
      "08.5085.10, 08.5085.11\"\n"
      "         {USEDFORCARS-LIST} - list data of cars (Vehicle data will be according to the settings for "
      "categories), for example \"BMW 3(E36) sedan [01/1991 - 12/1997] 318 tds [01/1991 - 12/1997] - 1982 "
      "cc - 75 kw - 100 ps - M52B28, M52B28TU<br>\"\n"
      "         {USEDFORCARS-TABLE} - table data of cars (Vehicle data will be according to the settings "
      "for categories), for example \"<tr><td>BMW</td><td>3(E36) sedan [01/1991 - 12/1997]</td><td>318 "
      "tds [01/1991 - 12/1997] - 1982 cc - 75 kw - 100 ps - M52B28, M52B28TU</td></tr>\"\n");
}

TEST(TemplateHelp, CategoryDescriptionSample) {
  const HelpFile help = TemplateHelpFile(TemplateHelp::kCategoryDescription);
  EXPECT_EQ(help.file_name, "SampleDescriptionCritery.txt");
  ASSERT_EQ(help.lines.size(), 2u + 11u + 8u);
  EXPECT_EQ(help.lines[0], "DATA THAT CAN BE USED TO CREATE DESCRIPTION :");
  EXPECT_EQ(help.lines[2], "         {MANUFACTURER} - manufacturer of car, for example : \"BMW\"");
  EXPECT_EQ(help.lines[12].substr(0, 29), "         {ADDITIONALDATACAR} ");
  const std::vector<std::string> sample(help.lines.begin() + 13, help.lines.end());
  EXPECT_EQ(sample, (std::vector<std::string>{
                        "SAMPLE :", "   ", "<span style=\"color:#000000;font-family:Arial;font-size:17px;\">",
                        "Manufacturer : {MANUFACTURER}<br>Model : {MODEL} {BODYTYPE}<br>",
                        "Type : {ENGINETYPE} [{STARTANDENDYEARTYPE}]<br>",
                        "Engine : {ENGCC} cc - {ENGKW} kw - {ENGPS} ps - {ENGLIST}<br></span>",
                        "Additional data : <br>", "{ADDITIONALDATACAR}"}));
}

TEST(TemplateHelp, ProductDescriptionSamples) {
  for (auto [kind, file_name] :
       {std::pair{TemplateHelp::kProductDescription, "SampleDescriptionPart.txt"},
        std::pair{TemplateHelp::kShortDescription, "SampleShortDescriptionPart.txt"}}) {
    const HelpFile help = TemplateHelpFile(kind);
    EXPECT_EQ(help.file_name, file_name);
    const std::vector<std::string>& lines = help.lines;
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[0], "DATA THAT CAN BE USED TO CREATE DESCRIPTION :");
    EXPECT_EQ(lines[2], "         {BRAND} - name manufacturer or supplier, for example \"TRW\"");
    EXPECT_EQ(lines[8].substr(0, 28), "         {USEDFORCARS-TABLE}");
    EXPECT_EQ(lines[9], "SAMPLE :");
    EXPECT_EQ(lines[10], "   ");
    EXPECT_EQ(lines[11], "<span style=\"color:#000000;font-family:Arial;font-size:15px;\">");
    EXPECT_NE(lines[12].find("{BRAND}"), std::string::npos);
    const std::vector<std::string> tail(lines.end() - 3, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "<strong>Parts : </strong>{BRAND} {TRADENUMBER} - {NAMEOFPART}  {ADDCRITERY}",
                        "<strong><br><br>List cross reference numbers", "</strong>{CROSSREF}</span>"}));
  }
  EXPECT_LT(TemplateHelpFile(TemplateHelp::kShortDescription).lines.size(),
            TemplateHelpFile(TemplateHelp::kProductDescription).lines.size());
}

TEST(TemplateHelp, WrittenIntoTheSettingsFolderAndOpened) {
  test::TempFolder folder;
  Session session;
  session.settings_file = folder / "Quarvel.ini";
  test::ScriptedUi ui;
  ShowTemplateHelp(session, ui, TemplateHelp::kProductValues);
  const std::filesystem::path path = folder / "ValuesForUsedCreateTexDataProduct.txt";
  ASSERT_EQ(ui.opened_files, std::vector<std::string>{path.string()});
  const std::string bytes = test::ReadFileBytes(path);
  EXPECT_TRUE(
      bytes.starts_with("\xEF\xBB\xBF"
                        "DATA THAT CAN BE USED TO CREATE :\r\n--------------------\r\n"));
  EXPECT_NE(bytes.find("\r\n... for description of part :\r\n"), std::string::npos);

  // A folder that cannot be written is reported, and nothing is opened.
  Session nowhere;
  nowhere.settings_file = folder / "missing" / "Quarvel.ini";
  ShowTemplateHelp(nowhere, ui, TemplateHelp::kCategoryValues);
  EXPECT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.opened_files.size(), 1u);
}

}  // namespace
}  // namespace quarvel::exporting
