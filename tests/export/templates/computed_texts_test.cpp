#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/cross_reference_text.h"
#include "export/text_templates.h"
#include "export/used_for_cars.h"
#include "export/vehicle_technical_data.h"
#include "tests/support/catalogue_fixture.h"

namespace quarvel::exporting {
namespace {

// Beside the standard fixture: a second VAG number of article 9 (same brand twice in a row), a
// number of brand "TRAIL\", a second link of article 9 to type 9 (the same vehicle twice), and type
// 2000 whose engine designation holds Cyrillic, quotes and a trailing backslash and whose axle
// designation is blank.
constexpr const char* kExtraSql = R"sql(
INSERT INTO TOF_ART_LOOKUP (ARL_ART_ID, ARL_SEARCH_NUMBER, ARL_KIND, ARL_BRA_ID, ARL_DISPLAY_NR, ARL_SORT, ARL_CTM) VALUES
  (9, '06J115403R', '3', 13, '06J 115 403 R', 2, ',250,'),
  (102, 'TR8', '4', 12, 'TR 8', 1, ',1,250,');
INSERT INTO TOF_LINK_ART (LA_ID, LA_ART_ID, LA_GA_ID, LA_CTM) VALUES (6, 9, 10, ',250,');
INSERT INTO TOF_LINK_LA_TYP (LAT_LA_ID, LAT_TYP_ID, LAT_CTM) VALUES (6, 9, ',250,');
INSERT INTO TOF_DES_TEXTS (TEX_ID, TEX_TEXT) VALUES (900, ' Бензиновый "V6" O''Neil \ '), (901, '   ');
INSERT INTO TOF_DESIGNATIONS (DES_ID, DES_LNG_ID, DES_TEX_ID) VALUES (900, 4, 900), (901, 4, 901);
INSERT INTO TOF_TYPES (TYP_ID, TYP_MOD_ID, TYP_CDS_ID, TYP_CTM, TYP_CYLINDERS, TYP_MAX_WEIGHT,
  TYP_KV_ENGINE_DES_ID, TYP_KV_ABS_DES_ID, TYP_KV_AXLE_DES_ID) VALUES
  (2000, 9, 514, ',250,', 6, 2500, 900, 453, 901);
)sql";

class ComputedTexts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::UseEmptyOdbcConfiguration();
    fixture_ = new test::CatalogueFixture(kExtraSql);
    catalogue_ = new platform::CatalogueConnection;
    catalogue_->Connect(fixture_->settings().driver, fixture_->settings().database, "", "");
  }
  static void TearDownTestSuite() {
    delete catalogue_;
    delete fixture_;
  }

  // Ids spread over three statements of a batch, in no particular order, with the ids that have
  // data in different statements and ids the catalogue does not know.
  static std::vector<std::int64_t> ManyIds() {
    std::vector<std::int64_t> ids;
    for (std::int64_t id = 1200; id >= 1; --id) ids.push_back(id);
    ids.push_back(2000);
    ids.push_back(999999);
    return ids;
  }

  static test::CatalogueFixture* fixture_;
  static platform::CatalogueConnection* catalogue_;
};

test::CatalogueFixture* ComputedTexts::fixture_ = nullptr;
platform::CatalogueConnection* ComputedTexts::catalogue_ = nullptr;

TEST_F(ComputedTexts, VehicleTechnicalDataOfFixtureTypes) {
  struct Case {
    std::int64_t type;
    int country;
    int language;
    const char* expected;
  };
  const std::vector<Case> cases = {
      // The voltage designation has no language, so it never matches; no maximum weight.
      {9, 250, 4,
       "Number of cylinders => 4<br>Valves per cylinder => 4<br>Number of doors => 4<br>"
       "The design of the tank => 65<br>Fuel => Petrol<br>"},
      // No German fuel text.
      {10, 250, 1,
       "Number of cylinders => 4<br>Valves per cylinder => 4<br>Number of doors => 4<br>"
       "The design of the tank => 61<br>Capacity => 1935<br>"},
      {10, 250, 4,
       "Number of cylinders => 4<br>Valves per cylinder => 4<br>Number of doors => 4<br>"
       "The design of the tank => 61<br>Fuel => Diesel<br>Capacity => 1935<br>"},
      // Raw text: the quotes and the backslash are not escaped; the blank axle text is left out.
      {2000, 250, 4,
       "Engine type => Бензиновый \"V6\" O'Neil \\<br>Number of cylinders => 6<br>Capacity => 2500<br>"},
      {100, 1, 4, ""},  // not valid in the country
      {999999, 250, 4, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VehicleTechnicalData(*catalogue_, c.country, c.language, c.type), c.expected) << c.type;
}

TEST_F(ComputedTexts, CrossReferencesOfFixtureArticles) {
  struct Case {
    std::int64_t article;
    int country;
    const char* expected;
  };
  const std::vector<Case> cases = {
      // Ordered by brand; a second code of the same brand joins with ", ".
      {9, 250, "FEBI BILSTEIN 22540<br>VAG 06J115403Q, 06J115403R"},
      {9, 1, "FEBI BILSTEIN 22540<br>VAG 06J115403Q"},
      {10, 250, "BOSCH 0451103316<br>VAG 06J115403"},
      {10, 1, "VAG 06J115561B"},
      {101, 250, "O'NEIL ON12"},
      {102, 250, "TRAIL\\ TR8"},
      {100, 1, ""},  // only its own number (kind 1)
      {999999, 250, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CrossReferenceText(*catalogue_, c.country, c.article), c.expected)
        << c.article << "/" << c.country;
}

TEST(CrossReferenceTextOf, JoinsCodesOfTheSameBrandAsTheRowBefore) {
  EXPECT_EQ(CrossReferenceTextOf({}), "");
  EXPECT_EQ(CrossReferenceTextOf({{"A", "1"}, {"A", "2"}, {"B", "3"}, {"", "4"}, {"", "5"}}),
            "A 1, 2<br>B 3<br> 4, 5");
}

TEST_F(ComputedTexts, UsedForCarsTypesOfFixtureArticles) {
  auto sorted = [](std::vector<std::int64_t> ids) {
    std::sort(ids.begin(), ids.end());
    return ids;
  };
  // Article 9 reaches type 9 through two links: one row.
  EXPECT_EQ(sorted(ReadUsedForCarsTypes(*catalogue_, 250, 9)), (std::vector<std::int64_t>{9, 10}));
  EXPECT_EQ(sorted(ReadUsedForCarsTypes(*catalogue_, 1, 9)), (std::vector<std::int64_t>{9, 10, 101}));
  EXPECT_EQ(ReadUsedForCarsTypes(*catalogue_, 250, 102), (std::vector<std::int64_t>{1000}));
  EXPECT_TRUE(ReadUsedForCarsTypes(*catalogue_, 250, 100).empty());
}

CatalogueTables VehicleTables() {
  CatalogueTables tables;
  tables.manufacturers.Reset(1000);
  tables.manufacturers.Get(9).name = "AUDI";
  tables.manufacturers.Get(10).name = "BMW";
  tables.cars.Reset(3000);
  auto add = [&](std::int64_t id, std::int64_t brand, CarTexts texts, bool active) {
    Car& car = tables.cars.Get(id);
    car.id_manufacturer = brand;
    car.make = tables.manufacturers.At(brand).name;
    car.texts = std::move(texts);
    car.start_and_end_year_model = "11/2007-";
    car.activ = active;
  };
  add(10, 10, {"3 (E90)", "Estate", "320 d"}, true);
  add(9, 9, {"A4 (8K2, B8)", "Saloon 'S'", "1.8 TFSI"}, true);
  add(1000, 9, {"A4 (8K2, B8)", "Saloon 'S'", "1.8 TFSI"}, true);  // reads like type 9
  add(100, 10, {"X", "Y", "Z"}, false);
  return tables;
}

TEST(UsedForCarsText, SortedWithoutDuplicatesOnlyActiveTypes) {
  const CatalogueTables tables = VehicleTables();
  const std::vector<std::int64_t> types = {10, 100, 9, 1000, 4711};
  EXPECT_EQ(UsedForCarsText(types, tables, "{MODEL} {BODYTYPE} [{STARTANDENDYEARMODEL}]", "{ENGINETYPE}",
                            UsedForCarsForm::kList),
            "AUDI A4 (8K2, B8) Saloon 'S' [11/2007-] 1.8 TFSI<br>BMW 3 (E90) Estate [11/2007-] 320 d<br>");
  EXPECT_EQ(UsedForCarsText(types, tables, "{MODEL}", "{ENGINETYPE}", UsedForCarsForm::kTable),
            "<tr><td>AUDI</td><td>A4 (8K2, B8)</td><td>1.8 TFSI</td></tr>"
            "<tr><td>BMW</td><td>3 (E90)</td><td>320 d</td></tr>");
  const std::vector<std::int64_t> inactive = {100, 4711};
  EXPECT_EQ(UsedForCarsText(inactive, tables, "{MODEL}", "{ENGINETYPE}", UsedForCarsForm::kList), "");
  EXPECT_EQ(UsedForCarsText({}, tables, "{MODEL}", "{ENGINETYPE}", UsedForCarsForm::kTable), "");
}

TEST_F(ComputedTexts, BatchesGiveTheTextsOfOneStatementPerItem) {
  const std::vector<std::int64_t> ids = ManyIds();
  for (int country : {1, 250}) {
    for (int language : {1, 4}) {
      VehicleTechnicalDataBatch technical;
      technical.Load(*catalogue_, country, language, ids);
      int with_text = 0;
      for (std::int64_t id : ids) {
        ASSERT_TRUE(technical.Holds(id));
        const std::string single = VehicleTechnicalData(*catalogue_, country, language, id);
        EXPECT_EQ(technical.Text(id), single) << "type " << id << " country " << country;
        with_text += single.empty() ? 0 : 1;
      }
      EXPECT_GE(with_text, 2);
    }

    CrossReferenceBatch references;
    references.Load(*catalogue_, country, ids);
    UsedForCarsBatch used;
    used.Load(*catalogue_, country, ids);
    int with_references = 0;
    for (std::int64_t id : ids) {
      const std::string single = CrossReferenceText(*catalogue_, country, id);
      EXPECT_EQ(references.Text(id), single) << "article " << id << " country " << country;
      with_references += single.empty() ? 0 : 1;
      std::vector<std::int64_t> batch_types = used.Types(id);
      std::vector<std::int64_t> single_types = ReadUsedForCarsTypes(*catalogue_, country, id);
      std::sort(batch_types.begin(), batch_types.end());
      std::sort(single_types.begin(), single_types.end());
      EXPECT_EQ(batch_types, single_types) << "article " << id << " country " << country;
    }
    EXPECT_GE(with_references, 2);
  }

  // A new load replaces the old one; an id outside it reads as empty.
  CrossReferenceBatch references;
  const std::int64_t first[] = {9};
  const std::int64_t second[] = {10};
  references.Load(*catalogue_, 250, first);
  references.Load(*catalogue_, 250, second);
  EXPECT_FALSE(references.Holds(9));
  EXPECT_EQ(references.Text(9), "");
  EXPECT_EQ(references.Text(10), "BOSCH 0451103316<br>VAG 06J115403");
}

TEST_F(ComputedTexts, RunTextsAreTheSameWithAndWithoutPrefetch) {
  CatalogueTables tables = VehicleTables();
  tables.parts.Reset(3000);
  Part& part = tables.parts.Get(9);
  part.id_bra = 10;
  part.trade_number = "0 451 103 316";
  tables.parts.Get(102).id_bra = 9;
  TemplateTexts templates;
  templates.model_title = "{MODEL}";
  templates.type_title = "{ENGINETYPE}";
  templates.category_description = "{MODEL}: {additionaldatacar}";
  templates.product_description = "{BRAND} {TRADENUMBER}<br>{CROSSREF}<br>{USEDFORCARS-LIST}";
  templates.short_description = "<table>{USEDFORCARS-TABLE}</table>";

  auto texts_of = [&](bool prefetch) {
    TextTemplates texts(templates, tables, *catalogue_, 4, 250);
    const std::vector<std::int64_t> articles = {102, 9, 10};
    const std::vector<std::int64_t> types = {10, 9};
    if (prefetch) {
      texts.PrefetchArticles(articles);
      texts.PrefetchTypes(types);
    }
    std::vector<std::string> out;
    for (std::int64_t article : articles) {
      out.push_back(texts.ProductDescription(article));
      out.push_back(texts.ShortDescription(article));
    }
    for (std::int64_t type : types) out.push_back(texts.CategoryDescription(type));
    return out;
  };
  const std::vector<std::string> expected = {
      "AUDI <br>TRAIL\\ TR8<br>AUDI A4 (8K2, B8) 1.8 TFSI<br>",
      "<table><tr><td>AUDI</td><td>A4 (8K2, B8)</td><td>1.8 TFSI</td></tr></table>",
      "BMW 0 451 103 316<br>FEBI BILSTEIN 22540<br>VAG 06J115403Q, 06J115403R<br>"
      "AUDI A4 (8K2, B8) 1.8 TFSI<br>BMW 3 (E90) 320 d<br>",
      "<table><tr><td>AUDI</td><td>A4 (8K2, B8)</td><td>1.8 TFSI</td></tr>"
      "<tr><td>BMW</td><td>3 (E90)</td><td>320 d</td></tr></table>",
      // Article 10 is not in the tables: empty brand and number, but its catalogue texts count;
      // its type 100 is not exported.
      " <br>BOSCH 0451103316<br>VAG 06J115403<br>",
      "<table></table>",
      "3 (E90): Number of cylinders => 4<br>Valves per cylinder => 4<br>Number of doors => 4<br>"
      "The design of the tank => 61<br>Fuel => Diesel<br>Capacity => 1935<br>",
      "A4 (8K2, B8): Number of cylinders => 4<br>Valves per cylinder => 4<br>Number of doors => 4<br>"
      "The design of the tank => 65<br>Fuel => Petrol<br>",
  };
  EXPECT_EQ(texts_of(false), expected);
  EXPECT_EQ(texts_of(true), expected);
}

}  // namespace
}  // namespace quarvel::exporting
