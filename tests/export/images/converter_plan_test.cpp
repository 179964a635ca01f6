#include "export/converter_plan.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quarvel::exporting {
namespace {

using Kind = ConverterStep::Kind;
namespace fs = std::filesystem;

TEST(ConverterPlan, DigitPathNestsOneFolderPerDigit) {
  const struct {
    std::int64_t id;
    fs::path expected;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {123, fs::path("1") / "2" / "3"},
      {1000, fs::path("1") / "0" / "0" / "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigitPath(c.id), c.expected) << c.id;
  // Dropping the sign would put -5 into the folder of 5.
  EXPECT_THROW(DigitPath(-5), std::invalid_argument);
}

TEST(ConverterPlan, StandardPictureMakesBaseThenOneFileFromItPerType) {
  const fs::path root = "/shop/img";
  const fs::path folder = root / "p" / "1" / "2" / "3";
  const PicturePlan plan = PlanStandardPicture(root, 123, "/pics/10/55.1.png",
                                               {{" small_default ", 10, 12}, {"large", 30, 40}}, "jpg");

  EXPECT_EQ(plan.caption, "No-img = 123");
  EXPECT_EQ(plan.folders, (std::vector<fs::path>{root / "p" / "1", root / "p" / "1" / "2", folder}));
  ASSERT_EQ(plan.steps.size(), 3u);
  EXPECT_EQ(plan.steps[0].kind, Kind::kConvert);
  EXPECT_EQ(plan.steps[0].source, "/pics/10/55.1.png");
  EXPECT_EQ(plan.steps[0].target, folder / "123.jpg");
  EXPECT_EQ(plan.steps[1].kind, Kind::kResize);
  EXPECT_EQ(plan.steps[1].source, folder / "123.jpg");
  EXPECT_EQ(plan.steps[1].target, folder / "123-small_default.jpg");
  EXPECT_EQ(plan.steps[1].width, 10);
  EXPECT_EQ(plan.steps[1].height, 12);
  EXPECT_EQ(plan.steps[2].source, folder / "123.jpg");
  EXPECT_EQ(plan.steps[2].target, folder / "123-large.jpg");
}

TEST(ConverterPlan, ImprovedPictureCopiesOnlyWhenFormatsMatch) {
  const struct {
    int n;
    const char* source_ext;
    const char* ext;
    Kind kind;
    const char* file;
  } cases[] = {
      {0, "JPG ", "jpg", Kind::kCopy, "55.jpg"},     {0, "jpg", "jpg", Kind::kCopy, "55.jpg"},
      {3, "png", "jpg", Kind::kConvert, "55.3.jpg"}, {10, "jpeg", "jpg", Kind::kConvert, "55.10.jpg"},
      {1, "", "jpg", Kind::kConvert, "55.1.jpg"},
  };
  const fs::path root = "/shop/img";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const PicturePlan plan = PlanImprovedPicture(root, 901, 10, 55, c.n, "/src/x", c.source_ext, c.ext);
    EXPECT_EQ(plan.caption, "No-img = 901");
    EXPECT_EQ(plan.folders, (std::vector<fs::path>{root / "p_from_tarlund" / "10"}));
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].kind, c.kind);
    EXPECT_EQ(plan.steps[0].source, "/src/x");
    EXPECT_EQ(plan.steps[0].target, root / "p_from_tarlund" / "10" / c.file);
  }
}

}  // namespace
}  // namespace quarvel::exporting
