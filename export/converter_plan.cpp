#include "export/converter_plan.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

#include "core/text.h"

namespace quarvel::exporting {

namespace {

std::string Decimal(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// "<stem>.<ext>": appended as text, since path::replace_extension would treat a dot in the stem
// (an article's ".n" suffix) as the start of an extension.
std::filesystem::path FileName(std::string_view stem, std::string_view ext) {
  std::string name(stem);
  name.append(".").append(ext);
  return std::filesystem::path(name);
}

void AddResizeSteps(PicturePlan& plan, const std::filesystem::path& folder, const std::filesystem::path& base,
                    const std::string& stem, const std::vector<StoreImageType>& types, std::string_view ext) {
  for (const StoreImageType& type : types) {
    ConverterStep step;
    step.kind = ConverterStep::Kind::kResize;
    step.source = base;
    step.target = folder / FileName(stem + "-" + Trim(type.name), ext);
    step.width = type.width;
    step.height = type.height;
    plan.steps.push_back(std::move(step));
  }
}

}  // namespace

std::filesystem::path DigitPath(std::int64_t id_image) {
  // A negative id would lose its sign here and share the folder of its positive twin.
  if (id_image < 0) throw std::invalid_argument("image id " + Decimal(id_image) + " is negative");
  std::filesystem::path path;
  for (char digit : Decimal(id_image)) path /= std::string(1, digit);
  return path;
}

PicturePlan PlanStandardPicture(const std::filesystem::path& root, std::int64_t id_image,
                                const std::filesystem::path& source, const std::vector<StoreImageType>& types,
                                std::string_view ext) {
  const std::string id = Decimal(id_image);
  PicturePlan plan;
  plan.caption = "No-img = " + id;

  std::filesystem::path folder = root / "p";
  for (const auto& digit : DigitPath(id_image)) {
    folder /= digit;
    plan.folders.push_back(folder);
  }

  const std::filesystem::path base = folder / FileName(id, ext);
  plan.steps.push_back({ConverterStep::Kind::kConvert, source, base, 0, 0});
  AddResizeSteps(plan, folder, base, id, types, ext);
  return plan;
}

PicturePlan PlanImprovedPicture(const std::filesystem::path& root, std::int64_t id_image,
                                std::int64_t supplier_id, std::int64_t article_id, int n,
                                const std::filesystem::path& source, std::string_view source_ext,
                                std::string_view ext) {
  PicturePlan plan;
  plan.caption = "No-img = " + Decimal(id_image);

  const std::filesystem::path folder = root / "p_from_tarlund" / Decimal(supplier_id);
  plan.folders.push_back(folder);

  std::string stem = Decimal(article_id);
  if (n > 0) stem += "." + Decimal(n);
  const bool same_format = UpperAscii(Trim(source_ext)) == UpperAscii(Trim(ext));
  plan.steps.push_back({same_format ? ConverterStep::Kind::kCopy : ConverterStep::Kind::kConvert, source,
                        folder / FileName(stem, ext), 0, 0});
  return plan;
}

PicturePlan PlanLogo(const std::filesystem::path& root, int counter, const std::filesystem::path& source,
                     std::int64_t cat_manufacturer, const std::vector<StoreImageType>& types,
                     std::string_view ext) {
  PicturePlan plan;
  plan.caption = "No-img = " + Decimal(counter);

  const std::filesystem::path folder = root / "m";
  plan.folders.push_back(folder);

  const std::string stem = Decimal(cat_manufacturer);
  const std::filesystem::path base = folder / FileName(stem, ext);
  plan.steps.push_back({ConverterStep::Kind::kConvert, source, base, 0, 0});
  AddResizeSteps(plan, folder, base, stem, types, ext);
  return plan;
}

}  // namespace quarvel::exporting
