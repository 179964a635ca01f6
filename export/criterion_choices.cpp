#include "export/criterion_choices.h"

#include <exception>
#include <utility>

#include "core/error_text.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

std::string CriterionNamesSql(int language_id) {
  return JoinSqlLines({"SELECT DISTINCT", "    TOF_DES_TEXTS.TEX_TEXT AS NAMECRITERIA ", "FROM TOF_CRITERIA",
                       "    JOIN TOF_DESIGNATIONS ON (TOF_DESIGNATIONS.DES_ID = CRI_DES_ID)",
                       "    JOIN TOF_DES_TEXTS ON (TOF_DES_TEXTS.TEX_ID = TOF_DESIGNATIONS.DES_TEX_ID)",
                       "WHERE  (TOF_DESIGNATIONS.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS.DES_LNG_ID = " +
                           std::to_string(language_id) + ") ",
                       "ORDER BY NAMECRITERIA"});
}

std::vector<ChoiceEntry>& CriterionBoxEntries(Session& session, CriterionBox box) {
  CatalogueChoices& choices = session.catalogue_choices;
  switch (box) {
    case CriterionBox::kAddCritery:
      return choices.addcritery_entries;
    case CriterionBox::kWidth:
      return choices.dimension_entries[0];
    case CriterionBox::kHeight:
      return choices.dimension_entries[1];
    case CriterionBox::kDepth:
      return choices.dimension_entries[2];
    case CriterionBox::kWeight:
      break;
  }
  return choices.dimension_entries[3];
}

void FillCriterionBox(Session& session, Ui& ui, CriterionBox box) {
  std::vector<ChoiceEntry>& entries = CriterionBoxEntries(session, box);
  if (!session.catalogue.IsOpen() || !entries.empty()) return;
  try {
    std::vector<ChoiceEntry> names;
    for (auto c = session.catalogue.Query(CriterionNamesSql(session.CatalogueLanguageId())); !c.AtEnd();
         c.Next())
      names.push_back({c.Text("NAMECRITERIA"), {}});
    entries = std::move(names);
  } catch (const std::exception& e) {
    ui.Error(ErrorText(e));
  }
}

std::string CriterionPlaceholder(std::string_view name) {
  if (name.empty()) return {};
  return "{" + std::string(name) + "}";
}

namespace {

constexpr const char* kHyphens = "--------------------";  // 20

struct Placeholder {
  const char* name;
  const char* description;
  const char* example;
};

constexpr Placeholder kModel = {"{MODEL}", "model of car", "3(E36)"};
constexpr Placeholder kBodyType = {"{BODYTYPE}", "body type of car", "sedan"};
constexpr Placeholder kModelYears = {"{STARTANDENDYEARMODEL}", "the initial and final year of the model car",
                                     "01/1991 - 12/1997"};
constexpr Placeholder kEngineType = {"{ENGINETYPE}", "type of engine", "318 tds"};
constexpr Placeholder kEngCc = {"{ENGCC}", "volume engine", "1982"};
constexpr Placeholder kEngKw = {"{ENGKW}", "KW", "75"};
constexpr Placeholder kEngPs = {"{ENGPS}", "horsepower", "100"};
constexpr Placeholder kEngList = {"{ENGLIST}", "list of code engines", "M52B28, M52B28TU"};
constexpr Placeholder kTypeYears = {"{STARTANDENDYEARTYPE}",
                                    "the initial and final year of the this type car", "01/1991 - 12/1997"};
constexpr Placeholder kManufacturer = {"{MANUFACTURER}", "manufacturer of car", "BMW"};
constexpr Placeholder kAdditionalData = {"{ADDITIONALDATACAR}", "specifications vehicle",
                                         "Engine type => Diesel engine<br>Number of cylinders => 4<br>Valves "
                                         "per cylinder => 2<br>Fuel => Diesel<br>"};
constexpr Placeholder kBrand = {"{BRAND}", "name manufacturer or supplier", "TRW"};
constexpr Placeholder kTradeNumber = {"{TRADENUMBER}", "trade number for part", "DF4439"};
constexpr Placeholder kNameOfPart = {"{NAMEOFPART}", "name of part", "Brake Disc"};
constexpr Placeholder kAddCritery = {
    "{ADDCRITERY}", "additional data for parts, formed separately from the values of criteria", "Front Axle"};
constexpr Placeholder kCrossRef = {"{CROSSREF}", "list cross-references numbers",
                                   "ATE 24.0122-0150.1<br>BREMBO 08.5085.10, 08.5085.11"};
constexpr Placeholder kUsedList = {
    "{USEDFORCARS-LIST}", "list data of cars (Vehicle data will be according to the settings for categories)",
    "BMW 3(E36) sedan [01/1991 - 12/1997] 318 tds [01/1991 - 12/1997] - 1982 cc - 75 kw - 100 ps - M52B28, "
    "M52B28TU<br>"};
constexpr Placeholder kUsedTable = {
    "{USEDFORCARS-TABLE}",
    "table data of cars (Vehicle data will be according to the settings for categories)",
    "<tr><td>BMW</td><td>3(E36) sedan [01/1991 - 12/1997]</td><td>318 tds [01/1991 - 12/1997] - 1982 cc - 75 "
    "kw "
    "- 100 ps - M52B28, M52B28TU</td></tr>"};

enum class ListKind { kCategory, kProduct };

void AddPlaceholders(std::vector<std::string>& lines, std::initializer_list<Placeholder> placeholders,
                     ListKind kind) {
  const char* joint = kind == ListKind::kCategory ? ", for example : " : ", for example ";
  for (const Placeholder& p : placeholders)
    lines.push_back(std::string(9, ' ') + p.name + " - " + p.description + joint + "\"" + p.example + "\"");
}

const std::initializer_list<Placeholder> kModelPlaceholders = {kModel, kBodyType, kModelYears};
const std::initializer_list<Placeholder> kTypePlaceholders = {kEngineType, kEngCc,   kEngKw,
                                                              kEngPs,      kEngList, kTypeYears};
const std::initializer_list<Placeholder> kProductPlaceholders = {
    kBrand, kTradeNumber, kNameOfPart, kAddCritery, kCrossRef, kUsedList, kUsedTable};

HelpFile CategoryValues() {
  HelpFile help{"ValuesForUsedCreateTexDataCategories.txt", {"DATA THAT CAN BE USED TO CREATE :", kHyphens}};
  help.lines.push_back("... title for MODEL :");
  AddPlaceholders(help.lines, kModelPlaceholders, ListKind::kCategory);
  help.lines.push_back("... title for TYPE :");
  AddPlaceholders(help.lines, kTypePlaceholders, ListKind::kCategory);
  help.lines.push_back("... for description :");
  AddPlaceholders(help.lines, {kManufacturer}, ListKind::kCategory);
  AddPlaceholders(help.lines, kModelPlaceholders, ListKind::kCategory);
  AddPlaceholders(help.lines, kTypePlaceholders, ListKind::kCategory);
  AddPlaceholders(help.lines, {kAdditionalData}, ListKind::kCategory);
  help.lines.push_back(kHyphens);
  return help;
}

HelpFile ProductValues() {
  HelpFile help{"ValuesForUsedCreateTexDataProduct.txt", {"DATA THAT CAN BE USED TO CREATE :", kHyphens}};
  help.lines.push_back("... title for NAME PRODUCT :");
  AddPlaceholders(help.lines, {kBrand, kTradeNumber, kNameOfPart, kAddCritery}, ListKind::kProduct);
  help.lines.push_back("... for description of part :");
  AddPlaceholders(help.lines, {kCrossRef, kUsedList, kUsedTable}, ListKind::kProduct);
  return help;
}

HelpFile CategoryDescription() {
  HelpFile help{"SampleDescriptionCritery.txt", {"DATA THAT CAN BE USED TO CREATE DESCRIPTION :", kHyphens}};
  AddPlaceholders(help.lines, {kManufacturer}, ListKind::kCategory);
  AddPlaceholders(help.lines, kModelPlaceholders, ListKind::kCategory);
  AddPlaceholders(help.lines, kTypePlaceholders, ListKind::kCategory);
  AddPlaceholders(help.lines, {kAdditionalData}, ListKind::kCategory);
  for (const char* line :
       {"SAMPLE :", "   ", "<span style=\"color:#000000;font-family:Arial;font-size:17px;\">",
        "Manufacturer : {MANUFACTURER}<br>Model : {MODEL} {BODYTYPE}<br>",
        "Type : {ENGINETYPE} [{STARTANDENDYEARTYPE}]<br>",
        "Engine : {ENGCC} cc - {ENGKW} kw - {ENGPS} ps - {ENGLIST}<br></span>", "Additional data : <br>",
        "{ADDITIONALDATACAR}"})
    help.lines.push_back(line);
  return help;
}

HelpFile ProductDescription(const char* file_name, std::initializer_list<const char*> prose) {
  HelpFile help{file_name, {"DATA THAT CAN BE USED TO CREATE DESCRIPTION :", kHyphens}};
  AddPlaceholders(help.lines, kProductPlaceholders, ListKind::kProduct);
  help.lines.push_back("SAMPLE :");
  help.lines.push_back("   ");
  help.lines.push_back("<span style=\"color:#000000;font-family:Arial;font-size:15px;\">");
  for (const char* line : prose) help.lines.push_back(line);
  for (const char* line : {"<strong>Parts : </strong>{BRAND} {TRADENUMBER} - {NAMEOFPART}  {ADDCRITERY}",
                           "<strong><br><br>List cross reference numbers", "</strong>{CROSSREF}</span>"})
    help.lines.push_back(line);
  return help;
}

}  // namespace

HelpFile TemplateHelpFile(TemplateHelp help) {
  switch (help) {
    case TemplateHelp::kCategoryValues:
      return CategoryValues();
    case TemplateHelp::kProductValues:
      return ProductValues();
    case TemplateHelp::kCategoryDescription:
      return CategoryDescription();
    case TemplateHelp::kProductDescription:
      return ProductDescription(
          "SampleDescriptionPart.txt",
          {"Parts of {BRAND} are made to the standards of the vehicle makers and are checked before they "
           "leave "
           "the factory.<br>",
           "Every part of {BRAND} comes new, in the maker's own box, with the maker's guarantee.<br>",
           "Please compare the numbers below with the number of your old part before you order.<br><br>"});
    case TemplateHelp::kShortDescription:
      break;
  }
  return ProductDescription("SampleShortDescriptionPart.txt",
                            {"A new part of {BRAND}, in the maker's own box.<br><br>"});
}

void ShowTemplateHelp(const Session& session, Ui& ui, TemplateHelp help) {
  ShowHelpFile(TemplateHelpFile(help), session.Folder(), ui);
}

}  // namespace quarvel::exporting
