#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/session.h"
#include "core/ui.h"

namespace quarvel::exporting {

// The values a run takes from the settings once, at its start.
struct ExportParameters {
  std::filesystem::path export_folder;
  std::string table_prefix;
  // Whole texts of the description files as written (kept raw like every text of a run and
  // escaped once, when written); empty when a file does not exist.
  std::string category_description;
  std::string product_description;
  std::string short_description;
  // As typed; escaped when written.
  std::string in_stock_text;
  std::string backorder_text;
  std::string condition;
  std::string visibility;
  std::string out_of_stock = "2";  // an integer's text
  int converter_threads = 10;
  int rows_per_statement = 1000;
  int statements_per_file = 1000;
  bool clean_store = true;  // "Clean store"; false: "Addition to the existing data"
  bool all_data = true;     // "ALL DATA"; false: "SELECTED TABLES" with the three flags below
  bool tables_of_products = true;
  bool tables_of_categories = true;
  bool images_and_logos = true;
  // Selection id lists (comma-separated catalogue ids), empty when they do not filter.
  std::string car_brand_ids;    // car list in brand mode
  std::string car_model_ids;    // car list in model mode
  std::string part_brand_ids;   // supplier ids
  std::string trade_group_ids;  // search-tree node ids
  std::string part_group_ids;   // generic-article ids

  bool ScopeHasCategories() const { return all_data || tables_of_categories; }
  bool ScopeHasProductsOrImages() const { return all_data || tables_of_products || images_and_logos; }
  bool ScopeHasProductsAndCategories() const {
    return all_data || (tables_of_products && tables_of_categories);
  }
};

// One additional language of a run; the run's languages are numbered n = 1, 2, ... in this order.
struct ExportLanguage {
  int store_lang_id = 0;
  int catalogue_lang_id = 0;
  std::string iso;
};

// A pair of existing trade categories of the store: a child (id2, name2) under a parent (id1, name1)
// below the store's category 4, and the generic article matched to it during the run.
struct StoreTradeCategory {
  std::int64_t id1 = 0;
  std::int64_t id2 = 0;
  std::int64_t ga_id = 0;
  std::string name2;
  std::string name1;
};

// The store categories above a linked vehicle type's category: its model (the parent) and its
// brand (the grandparent); 0 where the store has none.
struct LinkedTypeParents {
  std::int64_t model_category = 0;
  std::int64_t brand_category = 0;
};

// What an "Addition to the existing data" run reads from the store first (all empty in a clean run).
struct StoreState {
  std::int64_t highest_category_id = 0;
  bool has_root_category = false;
  bool has_vehicle_root = false;
  bool has_parts_root = false;
  std::int64_t highest_product_id = 0;
  std::int64_t highest_feature_id = 0;
  std::int64_t highest_feature_value_id = 0;
  std::int64_t highest_manufacturer_id = 0;
  std::int64_t highest_image_id = 0;
  std::int64_t highest_tag_id = 0;
  std::vector<std::pair<std::int64_t, std::string>> features;      // (id_feature, name) in the main language
  std::unordered_map<std::int64_t, std::int64_t> linked_articles;  // art_id -> id_product
  std::unordered_map<std::int64_t, std::int64_t> linked_brands;    // bra_id -> id_manufacturer
  std::vector<StoreTradeCategory> trade_categories;
  std::unordered_map<std::int64_t, std::int64_t> linked_types;              // typ_id -> id_category
  std::unordered_map<std::int64_t, LinkedTypeParents> linked_type_parents;  // typ_id -> parents
};

// A product image type of the store: (name, width, height), ordered by name.
struct StoreImageType {
  std::string name;
  int width = 0;
  int height = 0;
};

// The run was ended: by the user's stop ("StopExportData") or by an error the run reports.
class ExportStopped : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CatalogueTables;  // the in-memory catalogue slice, see catalogue_tables.h
struct PictureServices;  // what the picture stage reaches outside the run, see picture_services.h

// Everything one export run shares between its stages.
struct ExportRun {
  Session& session;
  Ui& ui;
  ExportParameters params;
  std::vector<ExportLanguage> languages;  // empty: additional languages are not active
  StoreState store_state;
  std::vector<StoreImageType> image_types;
  CatalogueTables* tables = nullptr;
  PictureServices* pictures = nullptr;  // the picture stage is skipped without them
  // The store category counter: the last id given; the next category gets next_category + 1.
  std::int64_t next_category = 4;

  // Appends a timed line ("[" + date and time + text, the text beginning with "] ").
  std::function<void(const std::string&)> log_timed;
  // Appends a line as it stands (separators, headings).
  std::function<void(const std::string&)> log_line;
  // Lets window events run and, when a stop was requested, asks whether to stop; Yes throws
  // ExportStopped("StopExportData"). Every reading stage calls it after each catalogue row.
  std::function<void()> check_stop;
  // True while a stop was requested and not yet answered; asks nothing (a download in progress ends
  // quietly and the next check_stop asks).
  std::function<bool()> stop_requested;

  bool AdditionalLanguagesActive() const { return !languages.empty(); }
  int LanguageId() const { return session.CatalogueLanguageId(); }
  int CountryId() const { return session.CatalogueCountryId(); }
};

inline constexpr const char* kExportSeparator =
    "-------------------------------------------------------------------";  // 67 hyphens

}  // namespace quarvel::exporting
