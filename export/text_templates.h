#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export/catalogue_tables.h"
#include "export/cross_reference_text.h"
#include "export/export_context.h"
#include "export/used_for_cars.h"
#include "export/vehicle_technical_data.h"
#include "platform/catalogue/catalogue_connection.h"

namespace quarvel::exporting {

// Names and descriptions of the categories and products an export writes, built from the user's
// templates.
//
// Every text given back here is RAW: the catalogue values, the template texts and the computed
// blocks (technical data, cross references, vehicle lists) go in as they are, nothing is escaped.
// The writer passes the finished text through EscapeSql exactly once when it puts it into a
// statement (and cuts it where its column asks for that).
//
// `language` is 0 for the main language and n for the run's additional language n (the variant
// n of the catalogue texts; a record without variants gives empty values there).

// The templates of one run, as typed in the settings and read from the description files.
struct TemplateTexts {
  std::string model_title;           // Cat_title_model
  std::string type_title;            // Cat_title_type
  std::string category_description;  // text of Cat_path_to_file_desc
  std::string product_name;          // Pro_title_name_part
  std::string product_description;   // text of Pro_path_to_file_desc
  std::string short_description;     // text of Pro_path_to_file_short_desc
  // "TRANSLATE TEXT IN UPPERCASE FORMAT" of the brand, model and type categories.
  bool upper_case_brand = false;  // Cat_trans_manuf
  bool upper_case_model = false;  // Cat_trans_model
  bool upper_case_type = false;   // Cat_trans_type
};

// The expansions themselves, over the run's tables. Each trims the template and, when it is empty
// or lacks a "{" or a "}", gives it back trimmed; otherwise it replaces its placeholders one after
// the other (case ignored) in a fixed order. Placeholders of other expansions stay as typed.
std::string ExpandModelTitle(std::string_view title_template, const CatalogueTables& tables,
                             std::int64_t type_id, std::size_t language);
std::string ExpandTypeTitle(std::string_view title_template, const CatalogueTables& tables,
                            std::int64_t type_id, std::size_t language);
// `technical_data` is the type's VehicleTechnicalData text (raw); it is trimmed here.
std::string ExpandCategoryDescription(std::string_view description, const CatalogueTables& tables,
                                      std::int64_t type_id, std::string_view technical_data);
std::string ExpandProductName(std::string_view name_template, const CatalogueTables& tables,
                              std::int64_t article_id, std::size_t language);
// The computed texts of one article for a product description.
struct ArticleTexts {
  std::string cross_references;     // {CROSSREF}
  std::string used_for_cars_list;   // {USEDFORCARS-LIST}
  std::string used_for_cars_table;  // {USEDFORCARS-TABLE}
};
std::string ExpandProductDescription(std::string_view description, const CatalogueTables& tables,
                                     std::int64_t article_id, const ArticleTexts& texts);

// True when the template would be expanded at all (trimmed, holding both a "{" and a "}").
bool HasBraces(std::string_view text);
// {NAMEOFPART} of an article: GA_NAME, a blank and NAMEOFPART (or their variants n), trimmed.
std::string NameOfPart(const CatalogueTables& tables, std::int64_t article_id, std::size_t language);

// The run's texts: the expansions above plus the catalogue texts they need, read in batches.
//
// Batching: a writer that walks many types or articles calls PrefetchTypes / PrefetchArticles with
// the ids of its next slice of rows (any number; they are read in statements of up to
// kIdsPerStatement ids) and then asks for the texts of those ids. A prefetch replaces what the
// previous one held, so memory follows one slice. Texts of ids that were not prefetched are read
// with one statement per id when asked; both ways give the same text. Nothing is read from the
// catalogue when the templates do not use the placeholders that need it.
class TextTemplates {
 public:
  static constexpr std::size_t kIdsPerStatement = 500;

  // The templates from the run's settings and description texts.
  explicit TextTemplates(ExportRun& run);
  TextTemplates(TemplateTexts templates, const CatalogueTables& tables,
                platform::CatalogueConnection& catalogue, int language_id, int country_id);

  const TemplateTexts& templates() const { return templates_; }

  // Category texts of vehicle type `type_id`.
  std::string ModelTitle(std::int64_t type_id, std::size_t language = 0) const;
  std::string TypeTitle(std::int64_t type_id, std::size_t language = 0) const;
  // The names the category writer puts into category_lang (before its 128-character cut): the
  // main-language title upper-cased when its option is on; language rows of model and type take
  // the title of their language as expanded; brand rows repeat the main-language name.
  std::string BrandCategoryName(std::int64_t type_id) const;
  std::string ModelCategoryName(std::int64_t type_id, std::size_t language = 0) const;
  std::string TypeCategoryName(std::int64_t type_id, std::size_t language = 0) const;
  // Description of the type's final category (every language row takes the same text).
  std::string CategoryDescription(std::int64_t type_id);

  // Product texts of article `article_id`.
  std::string ProductName(std::int64_t article_id, std::size_t language = 0) const;
  std::string ProductDescription(std::int64_t article_id);
  std::string ShortDescription(std::int64_t article_id);

  // True when the category description uses {ADDITIONALDATACAR} (technical data is read).
  bool NeedsTechnicalData() const { return needs_technical_data_; }
  // True when a product description text uses {CROSSREF} or a vehicle list.
  bool NeedsCrossReferences() const { return needs_cross_references_; }
  bool NeedsUsedForCars() const { return needs_used_for_cars_; }

  void PrefetchTypes(std::span<const std::int64_t> type_ids);
  void PrefetchArticles(std::span<const std::int64_t> article_ids);

 private:
  ArticleTexts ComputedTexts(std::int64_t article_id);

  TemplateTexts templates_;
  const CatalogueTables& tables_;
  platform::CatalogueConnection& catalogue_;
  int language_id_;
  int country_id_;
  bool needs_technical_data_ = false;
  bool needs_cross_references_ = false;
  bool needs_used_for_cars_ = false;
  VehicleTechnicalDataBatch technical_data_;
  CrossReferenceBatch cross_references_;
  UsedForCarsBatch used_for_cars_;
  // The article whose computed texts were built last: the description and the short description
  // of one product ask for the same texts one after the other.
  std::int64_t cached_article_ = 0;
  ArticleTexts cached_texts_;
};

}  // namespace quarvel::exporting
