// Which vehicle types an export takes and the category ids they get.
#include <gtest/gtest.h>

#include <set>

#include "tests/export/reading/reading_fixture.h"

namespace quarvel {
namespace {

using Id = OptionId;

std::set<std::int64_t> ActiveTypes(test::ReadingRun& reading) {
  std::set<std::int64_t> ids;
  for (const exporting::Car& car : reading.tables().cars.records())
    if (car.activ) ids.insert(car.id);
  return ids;
}

void ReadVehicles(test::ReadingRun& reading) {
  exporting::ReadTradeGroups(reading.run());
  exporting::ReadCars(reading.run());
}

TEST(VehicleReadingTest, SingleTypeFromTheFileGetsBrandFiveModelSixTypeSeven) {
  test::ReadingRun reading;
  test::WriteFileBytes(reading.folder() / "types.txt", "10\r\n");
  reading.options().SetBoolean(Id::ExportData_Only_for_values_of_cars_from_file, true);
  reading.options().SetText(Id::ExportData_Path_to_data_with_typid,
                            (reading.folder() / "types.txt").string());
  ReadVehicles(reading);

  EXPECT_EQ(ActiveTypes(reading), (std::set<std::int64_t>{10}));
  const exporting::Car& car = reading.tables().cars.At(10);
  EXPECT_EQ(car.cat_man, 5);
  EXPECT_EQ(car.cat_model, 6);
  EXPECT_EQ(car.cat_type, 7);
  EXPECT_EQ(reading.run().next_category, 7);
  // Brand 10 and model 10 share their catalogue id but are two categories.
  EXPECT_EQ(car.id_manufacturer, car.id_model);
}

TEST(VehicleReadingTest, TypeFileLinesOutsideTheTableAreSkippedAndAUselessFileFiltersNothing) {
  const std::set<std::int64_t> all = {9, 10, 100, 1000};  // the types valid in country 250
  struct Case {
    const char* name;
    const char* contents;  // nullptr: no file
    std::set<std::int64_t> expected;
  };
  const Case cases[] = {
      {"all above the highest id", "1001\n99999\n", all},
      {"zero, negative and text", "0\n-9\nabc\n\n", all},
      {"no file", nullptr, all},
      {"byte-order mark, CR LF, a lone CR and blanks",
       "\xEF\xBB\xBF"
       "100\r\n 9 \r0\r\n1001\n",
       {9, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ReadingRun reading;
    std::filesystem::path file = reading.folder() / "types.txt";
    if (c.contents != nullptr) test::WriteFileBytes(file, c.contents);
    reading.options().SetBoolean(Id::ExportData_Only_for_values_of_cars_from_file, true);
    reading.options().SetText(Id::ExportData_Path_to_data_with_typid, file.string());
    ReadVehicles(reading);
    EXPECT_EQ(ActiveTypes(reading), c.expected);
  }
}

TEST(VehicleReadingTest, CarSelectionFiltersOnlyWhenItNamesIds) {
  struct Case {
    const char* name;
    bool only_selected;
    bool brand_mode;
    std::string brand_ids, model_ids;
    std::set<std::int64_t> expected;
  };
  const Case cases[] = {
      {"brand mode, nothing checked", true, true, "", "", {9, 10, 100, 1000}},
      {"brand mode, AUDI; items that are no numbers are dropped", true, true, "9, 1) OR (1=1", "", {9, 1000}},
      {"model mode uses the model list", true, false, "9", "10", {10}},
      {"option off", false, true, "9", "", {9, 10, 100, 1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ReadingRun reading;
    reading.options().SetBoolean(Id::ExportData_Only_selected_brand_of_cars, c.only_selected);
    reading.options().SetBoolean(Id::ExportData_ForCars_groupsByBrands, c.brand_mode);
    reading.run().params.car_brand_ids = c.brand_ids;
    reading.run().params.car_model_ids = c.model_ids;
    ReadVehicles(reading);
    EXPECT_EQ(ActiveTypes(reading), c.expected);
  }
}

TEST(VehicleReadingTest, YearOptionKeepsModelsStillBuiltInThatYear) {
  // Model 12 ran 2001 to 2004, model 13 starts in 2006; model 10 (from 2005, open end) is in the
  // standard data.
  const char* extra = R"sql(
    INSERT INTO TOF_MODELS (MOD_ID, MOD_MFA_ID, MOD_CDS_ID, MOD_PCON_START, MOD_PCON_END, MOD_PC, MOD_CV, MOD_PC_CTM, MOD_CV_CTM)
      VALUES (12, 9, 500, 200101, 200412, 1, 0, ',250,', ','), (13, 9, 500, 200601, NULL, 1, 0, ',250,', ',');
    INSERT INTO TOF_TYPES (TYP_ID, TYP_MOD_ID, TYP_CDS_ID, TYP_CTM) VALUES (1200, 12, 514, ',250,'), (1300, 13, 514, ',250,');
  )sql";
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    test::ReadingRun reading(extra);
    reading.options().SetBoolean(Id::ExportData_Models_Only_from_year, on);
    reading.options().SetText(Id::ExportData_From_Year_for_models, "2005");
    ReadVehicles(reading);
    std::set<std::int64_t> expected = {9, 10, 100, 1000, 1300};
    if (!on) expected.insert(1200);
    EXPECT_EQ(ActiveTypes(reading), expected);
  }
}

TEST(VehicleReadingTest, TextFieldsAreReadOnlyForPlaceholdersInUseAndKeptRaw) {
  test::ReadingRun reading;
  reading.options().SetText(Id::PreparationData_Cat_title_model, "{model}");
  reading.options().SetText(Id::PreparationData_Cat_title_type, "{ENGKW} kw");
  reading.run().params.category_description = "<p>{ENGLIST}</p>";
  ReadVehicles(reading);
  const exporting::Car& car = reading.tables().cars.At(9);
  EXPECT_EQ(car.texts.model, "A4 (8K2, B8)");
  EXPECT_EQ(car.eng_kw, "88");
  EXPECT_EQ(car.eng_list, "CDHA");  // the second engine is valid only in country 1
  EXPECT_EQ(car.texts.body_type, "");
  EXPECT_EQ(car.texts.engine_type, "");
  EXPECT_EQ(car.start_and_end_year_model, "");
  EXPECT_EQ(car.eng_cc, "");
}

// Types 2001..2030 of model 9 (linked to article 9), type 2031 of model 9 without applicability,
// and type 2032 of BMW's model, which the brand selection leaves out although it is the highest id.
std::string BatchCatalogue() {
  return test::ExtraTypesSql(2001, 30) +
         "INSERT INTO TOF_TYPES (TYP_ID, TYP_MOD_ID, TYP_CDS_ID, TYP_CTM) VALUES (2031, 9, 514, ',250,'), "
         "(2032, 10, 511, ',250,');";
}

TEST(VehicleReadingTest, ApplicabilityIsReadIn21TypeBatchesAndTheHighestIdClosesTheLast) {
  for (bool only_with_parts : {true, false}) {
    SCOPED_TRACE(only_with_parts);
    test::ReadingRun reading(BatchCatalogue());
    reading.options().SetBoolean(Id::ExportData_Only_selected_brand_of_cars, true);
    reading.options().SetBoolean(Id::PreparationData_CreateCatTreeForVEHICLE_OnlyForCars, only_with_parts);
    reading.run().params.car_brand_ids = "9,100";
    reading.ReadAll();
    const auto& cars = reading.tables().cars;
    ASSERT_EQ(cars.max_id(), 2032);
    EXPECT_FALSE(cars.IsActive(2032));

    // Active: 9, 100, 1000, 2001..2031. First batch: 9, 100, 1000, 2001..2018; its rows come in
    // the text order of the type ids, so type 9 comes after 2018 and before the next batch.
    auto first_category = [&](std::int64_t id) {
      const exporting::Car& car = cars.At(id);
      return car.ga.empty() ? std::int64_t{-1} : car.ga.front().cat_num1;
    };
    EXPECT_LT(first_category(2018), first_category(9));
    EXPECT_LT(first_category(9), first_category(2019));
    EXPECT_LT(first_category(100), first_category(1000));
    // The last batch (2019..2031) is read although the highest type id is not active.
    for (std::int64_t id = 2019; id <= 2030; ++id) EXPECT_EQ(cars.At(id).ga.size(), 1u) << id;
    // A type without applicable parts is left out only when the option asks for it.
    EXPECT_EQ(cars.IsActive(2031), !only_with_parts);
    EXPECT_TRUE(cars.At(2031).ga.empty());
  }
}

}  // namespace
}  // namespace quarvel
