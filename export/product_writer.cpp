#include "export/product_writer.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "export/category_tree_writer.h"
#include "export/script_values.h"
#include "export/table_script_writer.h"
#include "export/text_templates.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

constexpr std::string_view kProduct = "product";
constexpr std::string_view kProductLang = "product_lang";
constexpr std::string_view kProductShop = "product_shop";

// Column lengths of the store: ean13, reference, link_rewrite, available_now/later. Texts are cut
// raw, before escaping, so an escape pair is never split.
constexpr std::size_t kEanLength = 13;
constexpr std::size_t kReferenceLength = 32;
constexpr std::size_t kLinkLength = 128;
constexpr std::size_t kAvailabilityLength = 255;

// The run's values every product shares.
struct ProductValues {
  int shop;
  int lang;
  int tax;
  std::string out_of_stock;  // an integer's text
  std::int64_t fallback_category;
};

// Walks the exported parts; `visit(part)` per part, then the run's stop check.
template <typename Visit>
void ForEachProduct(ExportRun& run, Visit visit) {
  for (const Part& part : run.tables->parts.records()) {
    if (!part.activ || part.cat_artid < 1) continue;
    visit(part);
    run.check_stop();
  }
}

void WriteProductTable(ExportRun& run, const StoreColumns& store, const ProductValues& v) {
  run.log_line(progress::TableLine(kProduct));
  const TableColumns columns(store, kProduct,
                             {"id_product",
                              "id_supplier",
                              "id_manufacturer",
                              "id_category_default",
                              "id_shop_default",
                              "id_tax_rules_group",
                              "on_sale",
                              "online_only",
                              "ean13",
                              "ecotax",
                              "quantity",
                              "minimal_quantity",
                              "price",
                              "wholesale_price",
                              "unit_price_ratio",
                              "additional_shipping_cost",
                              "reference",
                              "width",
                              "height",
                              "depth",
                              "weight",
                              "out_of_stock",
                              "customizable",
                              "uploadable_files",
                              "text_fields",
                              "active",
                              "redirect_type",
                              "id_product_redirected",
                              "available_for_order",
                              "available_date",
                              "condition",
                              "show_price",
                              "indexed",
                              "visibility",
                              "cache_is_pack",
                              "cache_has_attachments",
                              "is_virtual",
                              "date_add",
                              "date_upd",
                              "advanced_stock_management"});
  TableScriptWriter writer(run.params, kProduct, columns.List());
  TableRow row(columns);
  writer.Begin(kProduct);
  const CatalogueTables& tables = *run.tables;
  const ExportParameters& params = run.params;
  // Products without the category tables of this run still need a category to be listed in.
  const bool own_link = !params.all_data && !params.tables_of_categories;
  const std::string link_start = " INSERT INTO `" + params.table_prefix +
                                 "category_product` (`id_category`,`id_product`,`position`) VALUES (";
  ForEachProduct(run, [&](const Part& part) {
    const std::int64_t brand = tables.manufacturers.At(part.id_bra).cat_manufacturer;
    const std::int64_t category = DefaultCategory(run, part, v.fallback_category);
    row.Clear()
        .Integer(part.cat_artid)
        .Integer(brand)
        .Integer(brand)
        .Integer(category)
        .Integer(v.shop)
        .Integer(v.tax)
        .Integer(0)
        .Integer(0)
        .Text(FirstCharacters(part.ean, kEanLength))
        .Literal("0.000000")
        .Integer(0)
        .Integer(1)
        .Literal("0.000000")
        .Literal("0.000000")
        .Literal("0.000000")
        .Literal("0.00")
        .Text(FirstCharacters(part.trade_number, kReferenceLength));
    for (double measure : part.cri) row.Literal(SqlDecimal(measure));
    row.Literal(v.out_of_stock)
        .Integer(0)
        .Integer(0)
        .Integer(0)
        .Integer(1)
        .Quoted("404")
        .Integer(0)
        .Integer(1)
        .Literal("NOW()")
        .Text(params.condition)
        .Integer(1)
        .Integer(1)
        .Text(params.visibility)
        .Integer(0)
        .Integer(0)
        .Integer(0)
        .Literal("NOW()")
        .Literal("NOW()")
        .Integer(0);
    writer.AddRow(row.View());
    writer.EndItem();
    if (own_link)
      writer.WriteLine(link_start + SqlInteger(category) + "," + SqlInteger(part.cat_artid) + ",0);");
  });
  writer.Finish();
}

void WriteLangTable(ExportRun& run, const StoreColumns& store, const ProductValues& v) {
  run.log_line(progress::TableLine(kProductLang));
  const TableColumns columns(store, kProductLang,
                             {"id_product", "id_shop", "id_lang", "description", "description_short",
                              "link_rewrite", "name", "available_now", "available_later"});
  TableScriptWriter writer(run.params, kProductLang, columns.List());
  TableRow row(columns);
  writer.Begin(kProductLang);
  TextTemplates texts(run);
  // Language rows belong to "Clean store" runs only.
  const std::vector<ExportLanguage> languages =
      run.params.clean_store ? run.languages : std::vector<ExportLanguage>{};
  const std::string now_text = EscapeSql(FirstCharacters(run.params.in_stock_text, kAvailabilityLength));
  const std::string later_text = EscapeSql(FirstCharacters(run.params.backorder_text, kAvailabilityLength));
  std::string description, short_description, name;

  auto add = [&](const Part& part, int language_id, std::size_t language) {
    const std::string raw_name = texts.ProductName(part.id, language);
    name = "LEFT('" + EscapeSql(raw_name) + "',128)";
    writer.AddRow(row.Clear()
                      .Integer(part.cat_artid)
                      .Integer(v.shop)
                      .Integer(language_id)
                      .Quoted(description)
                      .Quoted(short_description)
                      .Quoted(FirstCharacters(MakeLinkRewrite(raw_name), kLinkLength))
                      .Literal(name)
                      .Quoted(now_text)
                      .Quoted(later_text)
                      .View());
  };

  // The description texts of a slice of products are read together, so a large export does not
  // pay one catalogue round trip per product.
  std::vector<const Part*> slice;
  std::vector<std::int64_t> slice_ids;
  auto write_slice = [&] {
    texts.PrefetchArticles(slice_ids);
    for (const Part* part : slice) {
      description = EscapeSql(texts.ProductDescription(part->id));
      short_description = EscapeSql(texts.ShortDescription(part->id));
      add(*part, v.lang, 0);
      for (std::size_t k = 1; k <= languages.size(); ++k) add(*part, languages[k - 1].store_lang_id, k);
      writer.EndItem();
      run.check_stop();
    }
    slice.clear();
    slice_ids.clear();
  };
  for (const Part& part : run.tables->parts.records()) {
    if (!part.activ || part.cat_artid < 1) continue;
    slice.push_back(&part);
    slice_ids.push_back(part.id);
    if (slice.size() == TextTemplates::kIdsPerStatement) write_slice();
  }
  if (!slice.empty()) write_slice();
  writer.Finish();
}

void WriteShopTable(ExportRun& run, const StoreColumns& store, const ProductValues& v) {
  run.log_line(progress::TableLine(kProductShop));
  const TableColumns columns(store, kProductShop,
                             {"id_product",
                              "id_shop",
                              "id_category_default",
                              "id_tax_rules_group",
                              "on_sale",
                              "online_only",
                              "ecotax",
                              "minimal_quantity",
                              "price",
                              "wholesale_price",
                              "unit_price_ratio",
                              "additional_shipping_cost",
                              "customizable",
                              "uploadable_files",
                              "text_fields",
                              "active",
                              "redirect_type",
                              "id_product_redirected",
                              "available_for_order",
                              "available_date",
                              "condition",
                              "show_price",
                              "indexed",
                              "visibility",
                              "advanced_stock_management",
                              "date_add",
                              "date_upd"});
  TableScriptWriter writer(run.params, kProductShop, columns.List());
  TableRow row(columns);
  writer.Begin(kProductShop);
  ForEachProduct(run, [&](const Part& part) {
    writer.AddRow(row.Clear()
                      .Integer(part.cat_artid)
                      .Integer(v.shop)
                      .Integer(DefaultCategory(run, part, v.fallback_category))
                      .Integer(v.tax)
                      .Integer(0)
                      .Integer(0)
                      .Literal("0.000000")
                      .Integer(1)
                      .Literal("0.000000")
                      .Literal("0.000000")
                      .Literal("0.000000")
                      .Literal("0.00")
                      .Integer(0)
                      .Integer(0)
                      .Integer(0)
                      .Integer(1)
                      .Quoted("404")
                      .Integer(0)
                      .Integer(1)
                      .Literal("NOW()")
                      .Text(run.params.condition)
                      .Integer(1)
                      .Integer(1)
                      .Text(run.params.visibility)
                      .Integer(0)
                      .Literal("NOW()")
                      .Literal("NOW()")
                      .View());
    writer.EndItem();
  });
  writer.Finish();
}

}  // namespace

std::int64_t FallbackCategory(ExportRun& run) {
  if (run.params.clean_store) return 2;
  return DecideTopCategories(run).home;
}

std::int64_t DefaultCategory(const ExportRun& run, const Part& part, std::int64_t fallback) {
  const TradeGroup& group = run.tables->trade_groups.At(part.ga_id);
  if (!group.activ || group.cat2 < 1) return fallback;
  // A "Clean store" run allocates the generic-article categories whether or not the PARTS tree is
  // written; without the tree they do not exist. An "Addition" run places articles only into the
  // store's own trade categories.
  if (run.params.clean_store && !run.session.options.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS))
    return fallback;
  return group.cat2;
}

void WriteProducts(ExportRun& run, const StoreColumns& columns) {
  const ExportParameters& params = run.params;
  if (!params.all_data && !params.tables_of_products) return;
  CatalogueTables& tables = *run.tables;
  tables.parts.Sort();
  tables.trade_groups.Sort();
  tables.manufacturers.Sort();

  const StoreDefaults& defaults = run.session.store_defaults;
  const ProductValues values{.shop = defaults.default_shop_id,
                             .lang = defaults.default_lang_id,
                             .tax = defaults.tax,
                             .out_of_stock = params.out_of_stock,
                             .fallback_category = FallbackCategory(run)};
  run.log_timed(std::string(progress::kProductsStart));
  WriteProductTable(run, columns, values);
  WriteLangTable(run, columns, values);
  WriteShopTable(run, columns, values);
}

void LogProductsDone(ExportRun& run) {
  if (!run.params.all_data && !run.params.tables_of_products) return;
  run.log_timed(std::string(progress::kProductsDone));
  run.log_line(std::string(progress::kStageEnd));
}

}  // namespace quarvel::exporting
