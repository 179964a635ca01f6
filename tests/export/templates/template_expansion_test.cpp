#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/catalogue_tables.h"
#include "export/text_templates.h"

namespace quarvel::exporting {
namespace {

// One vehicle type (id 10) of brand 10 and one article (id 101) of brand 11, with a Russian
// variant (language 1) and no variant for language 2. The texts hold what breaks careless SQL
// handling: quotes, backslashes, Cyrillic.
CatalogueTables SmallTables() {
  CatalogueTables tables;
  tables.manufacturers.Reset(1000);
  tables.manufacturers.Get(10).name = "BMW";
  tables.manufacturers.Get(11).name = "O'NEIL";
  tables.manufacturers.Get(12).name = "TRAIL\\";

  tables.cars.Reset(1000);
  Car& car = tables.cars.Get(10);
  car.id_manufacturer = 10;
  car.make = "BMW";
  car.activ = true;
  car.texts = {"3 (E90)", "Limousine", "320 d"};
  car.start_and_end_year_model = "01/2005-";
  car.start_and_end_year_type = "09/2005-12/2011";
  car.eng_cc = "1995";
  car.eng_kw = "120";
  car.eng_ps = "163";
  car.eng_list = "N47 D20 A, M47";
  car.languages = {{}, {"Тройка \"E90\"", "седан", "320 д"}};

  tables.trade_groups.Reset(1000);
  TradeGroup& group = tables.trade_groups.Get(9);
  group.names.name = "Oil Filter";
  group.languages = {{}, {"Масляный фильтр", "", ""}};

  tables.parts.Reset(1000);
  Part& part = tables.parts.Get(101);
  part.id_bra = 11;
  part.ga_id = 9;
  part.trade_number = "ON-1'2";
  part.texts = {"Filter \"Long Life\" C:\\parts\\", "Front Axle"};
  part.languages = {{}, {"Фильтр", ""}};
  return tables;
}

struct Case {
  const char* name;
  const char* text_template;
  std::size_t language;
  const char* expected;
};

TEST(TemplateExpansion, ModelAndTypeTitles) {
  const CatalogueTables tables = SmallTables();
  const std::vector<Case> model_cases = {
      {"default template, open end of the years", "{MODEL} {BODYTYPE} [{STARTANDENDYEARMODEL}]", 0,
       "3 (E90) Limousine [01/2005-]"},
      {"placeholders in any case", "{model} {BodyType}", 0, "3 (E90) Limousine"},
      {"a type placeholder stays in a model title", "{MODEL} {ENGCC}", 0, "3 (E90) {ENGCC}"},
      {"trimmed, no braces: plain text", "  Plain 'text' \\  ", 0, "Plain 'text' \\"},
      {"an opening brace alone is plain text", " {MODEL ", 0, "{MODEL"},
      {"a closing brace alone is plain text", "MODEL}", 0, "MODEL}"},
      {"empty", "   ", 0, ""},
      {"Cyrillic variant", "{MODEL} {BODYTYPE} [{STARTANDENDYEARMODEL}]", 1,
       "Тройка \"E90\" седан [01/2005-]"},
      {"no variant for the language: empty values", "<{MODEL}|{BODYTYPE}|{STARTANDENDYEARMODEL}>", 2,
       "<||01/2005->"},
  };
  for (const Case& c : model_cases)
    EXPECT_EQ(ExpandModelTitle(c.text_template, tables, 10, c.language), c.expected) << c.name;

  const std::vector<Case> type_cases = {
      {"default template",
       "{ENGINETYPE} [{STARTANDENDYEARTYPE}] - {ENGCC} cc - {ENGKW} kw - {ENGPS} ps - {ENGLIST}", 0,
       "320 d [09/2005-12/2011] - 1995 cc - 120 kw - 163 ps - N47 D20 A, M47"},
      {"Cyrillic variant of the engine type, numbers have none", "{enginetype} {ENGKW}", 1, "320 д 120"},
      {"a model placeholder stays in a type title", "{ENGINETYPE} {MODEL}", 0, "320 d {MODEL}"},
      {"every occurrence is replaced", "{ENGCC}/{engcc}", 0, "1995/1995"},
  };
  for (const Case& c : type_cases)
    EXPECT_EQ(ExpandTypeTitle(c.text_template, tables, 10, c.language), c.expected) << c.name;

  // An unknown type reads as an empty record.
  EXPECT_EQ(ExpandModelTitle("[{MODEL}]", tables, 999, 0), "[]");
}

TEST(TemplateExpansion, ReplacementOrderIsFixed) {
  CatalogueTables tables = SmallTables();
  // A value holding a later placeholder is replaced again; one holding an earlier one is not.
  tables.cars.Get(10).texts.model = "M{bodytype}";
  tables.cars.Get(10).texts.body_type = "B{MODEL}";
  EXPECT_EQ(ExpandModelTitle("{MODEL}", tables, 10, 0), "MB{MODEL}");
}

TEST(TemplateExpansion, ProductName) {
  const CatalogueTables tables = SmallTables();
  const std::vector<Case> cases = {
      {"default template, values raw", "{BRAND} {TRADENUMBER} - {NAMEOFPART} , {ADDCRITERY}", 0,
       "O'NEIL ON-1'2 - Oil Filter Filter \"Long Life\" C:\\parts\\ , Front Axle"},
      {"second placeholder in lower case", "{BRAND} {tradenumber}", 0, "O'NEIL ON-1'2"},
      {"variant n of the names; the criteria text has no variant",
       "{BRAND} {TRADENUMBER} - {NAMEOFPART} , {ADDCRITERY}", 1, "O'NEIL ON-1'2 - Масляный фильтр Фильтр , "},
      {"description placeholders stay in a name", "{NAMEOFPART} {CROSSREF}", 0,
       "Oil Filter Filter \"Long Life\" C:\\parts\\ {CROSSREF}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExpandProductName(c.text_template, tables, 101, c.language), c.expected) << c.name;
}

TEST(TemplateExpansion, NameOfPartIsTrimmedWhenAPieceIsMissing) {
  CatalogueTables tables = SmallTables();
  Part& part = tables.parts.Get(102);
  part.texts.name_of_part = "Brake Pad";
  EXPECT_EQ(NameOfPart(tables, 102, 0), "Brake Pad");  // no generic article
  tables.parts.Get(101).texts.name_of_part.clear();
  EXPECT_EQ(NameOfPart(tables, 101, 0), "Oil Filter");
  EXPECT_EQ(NameOfPart(tables, 101, 2), "");  // neither has a variant 2
}

TEST(TemplateExpansion, CategoryDescription) {
  const CatalogueTables tables = SmallTables();
  const std::string description =
      "\r\n<p>Manufacturer : {MANUFACTURER}<br>Model : {MODEL} {BODYTYPE} [{STARTANDENDYEARMODEL}]<br>\r\n"
      "Type : {ENGINETYPE} [{StartAndEndYearType}] {ENGCC}/{ENGKW}/{ENGPS} {ENGLIST}</p>\r\n"
      "{ADDITIONALDATACAR}|{BRAND}\r\n";
  EXPECT_EQ(ExpandCategoryDescription(description, tables, 10, "  Fuel => Diesel 'D'<br>\r\n"),
            "<p>Manufacturer : BMW<br>Model : 3 (E90) Limousine [01/2005-]<br>\r\n"
            "Type : 320 d [09/2005-12/2011] 1995/120/163 N47 D20 A, M47</p>\r\n"
            "Fuel => Diesel 'D'<br>|{BRAND}");
  EXPECT_EQ(ExpandCategoryDescription("  no placeholders\r\n", tables, 10, "x"), "no placeholders");
}

TEST(TemplateExpansion, ProductDescription) {
  const CatalogueTables tables = SmallTables();
  const ArticleTexts texts{"VAG 06J115403Q, 06J115403R", "BMW 3 (E90) 320 d<br>",
                           "<tr><td>BMW</td><td>3 (E90)</td><td>320 d</td></tr>"};
  EXPECT_EQ(ExpandProductDescription("{brand} {TRADENUMBER} {NAMEOFPART} [{ADDCRITERY}]\r\n{CROSSREF}\r\n"
                                     "{USEDFORCARS-LIST}<table>{USEDFORCARS-TABLE}</table>{MODEL}",
                                     tables, 101, texts),
            "O'NEIL ON-1'2 Oil Filter Filter \"Long Life\" C:\\parts\\ [Front Axle]\r\n"
            "VAG 06J115403Q, 06J115403R\r\nBMW 3 (E90) 320 d<br><table><tr><td>BMW</td><td>3 (E90)</td>"
            "<td>320 d</td></tr></table>{MODEL}");
}

TEST(TemplateExpansion, CategoryNamesUpperCaseTheMainLanguageOnly) {
  const CatalogueTables tables = SmallTables();
  platform::CatalogueConnection closed;
  TemplateTexts templates;
  templates.model_title = "{MODEL} {BODYTYPE}";
  templates.type_title = "{ENGINETYPE} {ENGLIST}";
  templates.upper_case_brand = true;
  templates.upper_case_model = true;
  templates.upper_case_type = false;
  CatalogueTables with_cyrillic_brand = SmallTables();
  with_cyrillic_brand.cars.Get(10).make = "Зил \"ß\"";
  TextTemplates texts(templates, with_cyrillic_brand, closed, 4, 250);
  EXPECT_EQ(texts.BrandCategoryName(10), "ЗИЛ \"ß\"");  // simple mapping keeps ß
  EXPECT_EQ(texts.ModelCategoryName(10), "3 (E90) LIMOUSINE");
  EXPECT_EQ(texts.ModelCategoryName(10, 1), "Тройка \"E90\" седан");
  EXPECT_EQ(texts.TypeCategoryName(10), "320 d N47 D20 A, M47");
  EXPECT_EQ(texts.ModelTitle(10), "3 (E90) Limousine");

  templates.upper_case_type = true;
  TextTemplates upper_type(templates, tables, closed, 4, 250);
  EXPECT_EQ(upper_type.TypeCategoryName(10), "320 D N47 D20 A, M47");
  CatalogueTables cyrillic_model = SmallTables();
  cyrillic_model.cars.Get(10).texts.model = "Таврия";
  TextTemplates upper_cyrillic(templates, cyrillic_model, closed, 4, 250);
  EXPECT_EQ(upper_cyrillic.ModelCategoryName(10), "ТАВРИЯ LIMOUSINE");
}

TEST(TemplateExpansion, TemplatesWithoutComputedPlaceholdersNeverAskTheCatalogue) {
  // The connection is closed: any catalogue statement would throw.
  const CatalogueTables tables = SmallTables();
  platform::CatalogueConnection closed;
  TemplateTexts templates;
  templates.category_description = "{MANUFACTURER} {MODEL}";
  templates.product_description = "{BRAND} {TRADENUMBER}";
  templates.short_description = "plain";
  TextTemplates texts(templates, tables, closed, 4, 250);
  EXPECT_FALSE(texts.NeedsTechnicalData());
  EXPECT_FALSE(texts.NeedsCrossReferences());
  EXPECT_FALSE(texts.NeedsUsedForCars());
  const std::int64_t ids[] = {10, 101};
  texts.PrefetchTypes(ids);
  texts.PrefetchArticles(ids);
  EXPECT_EQ(texts.CategoryDescription(10), "BMW 3 (E90)");
  EXPECT_EQ(texts.ProductDescription(101), "O'NEIL ON-1'2");
  EXPECT_EQ(texts.ShortDescription(101), "plain");

  // Placeholders outside a brace pair's reach (no "}" at all) do not count either.
  templates.product_description = "{CROSSREF";
  EXPECT_FALSE(TextTemplates(templates, tables, closed, 4, 250).NeedsCrossReferences());
  templates.short_description = "{usedforcars-table}";
  EXPECT_TRUE(TextTemplates(templates, tables, closed, 4, 250).NeedsUsedForCars());
}

}  // namespace
}  // namespace quarvel::exporting
