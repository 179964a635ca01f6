#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "bench/catalogue_generator/catalogue_steps.h"
#include "bench/catalogue_generator/concat.h"
#include "bench/catalogue_generator/picture_bytes.h"
#include "bench/catalogue_generator/text_pools.h"

namespace quarvel::bench {
namespace {

constexpr std::int64_t kArticlesPerSupplier = 60;
constexpr std::int64_t kOeBrandBase = 5000;
constexpr std::int64_t kLanguageAll = 255;

// Short brand code: the first letters and digits, at most four.
std::string ShortCode(std::string_view name) {
  std::string code;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) && code.size() < 4) {
      code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return code;
}

}  // namespace

void WriteSuppliers(GenerationContext& context) {
  TableInserter suppliers(context.db, "TOF_SUPPLIERS", {"SUP_ID", "SUP_BRAND", "SUP_SUPPLIER_NR"});
  TableInserter brands(context.db, "TOF_BRANDS", {"BRA_ID", "BRA_BRAND", "BRA_MFC_CODE"});
  TableInserter logos(context.db, "TOF_SUPPLIER_LOGOS", {"SLO_SUP_ID", "SLO_LNG_ID", "SLO_LOGO", "SLO_CTM"});
  TableInserter graphics(context.db, "TOF_GRAPHICS",
                         {"GRA_ID", "GRA_SUP_ID", "GRA_LNG_ID", "GRA_DOC_TYPE", "GRA_GRD_ID", "GRA_TAB_NR"});
  TableInserter data_0(context.db, "TOF_GRA_DATA_0", {"GRD_ID", "GRD_GRAPHIC"});
  TableInserter data_1(context.db, "TOF_GRA_DATA_1", {"GRD_ID", "GRD_GRAPHIC"});
  RandomSource& random = context.random;

  const auto names = PartMakerNames();
  const std::int64_t count = std::clamp<std::int64_t>(context.options.articles / kArticlesPerSupplier,
                                                      std::min<std::int64_t>(8, context.options.articles),
                                                      static_cast<std::int64_t>(names.size()) * 10);
  const std::string pdf = MakeTinyPdf();
  std::int64_t picture = 0;
  for (std::int64_t s = 0; s < count; ++s) {
    const std::int64_t id = 1 + 7 * s;
    std::string name(names[static_cast<std::size_t>(s) % names.size()]);
    if (s >= static_cast<std::int64_t>(names.size()))
      name = Concat(name, " ", std::to_string(s / names.size() + 1));
    suppliers.Insert(id, name, 100 + s);
    brands.Insert(id, name, ShortCode(name));
    context.supplier_ids.push_back(id);

    const auto shade = static_cast<std::uint8_t>(s * 37 % 256);
    if (random.Percent(60)) {
      const std::string_view countries = context.CountryField();
      logos.Insert(id, kLanguageAll, Blob{MakeBitmap(16, 8, shade, 64, 200)}, countries);
    } else if (random.Percent(50)) {
      const std::string_view countries = context.CountryField();
      logos.Insert(id, kEnglishId, Blob{MakeBitmap(16, 8, 200, shade, 64)}, countries);
    }

    // Two pictures (upper- and lower-case extension) and one document per supplier.
    std::vector<SupplierPicture>& pictures = context.supplier_pictures.emplace_back();
    for (std::int64_t k = 0; k < 3; ++k, ++picture) {
      const std::int64_t graphic_id = 500000 + picture;
      const std::int64_t data_id = 700000 + picture;
      const std::int64_t table = picture % 2;
      const std::int64_t doc_type = k == 2 ? 3 : 1 + k;
      const std::int64_t language = random.Percent(90) ? kLanguageAll : kEnglishId;
      graphics.Insert(graphic_id, id, language, doc_type, data_id, table);
      const std::string bytes =
          k == 2 ? pdf
                 : MakeBitmap(8 + static_cast<int>(k) * 4, 8, shade, static_cast<std::uint8_t>(k * 90), 128);
      (table == 0 ? data_0 : data_1).Insert(data_id, Blob{bytes});
      pictures.push_back({graphic_id});
    }
  }

  // Vehicle makers as brands of original-equipment numbers; they have no supplier row.
  for (std::size_t m = 0; m < context.manufacturer_ids.size(); ++m) {
    const std::int64_t brand_id = kOeBrandBase + context.manufacturer_ids[m];
    const std::string& maker = context.manufacturer_names[m];
    brands.Insert(brand_id, maker, ShortCode(maker));
    context.oe_brand_ids.push_back(brand_id);
  }

  for (const TableInserter* table : {&suppliers, &brands, &logos, &graphics, &data_0, &data_1}) {
    context.Count(*table);
  }
}

}  // namespace quarvel::bench
