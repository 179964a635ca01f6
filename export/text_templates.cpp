#include "export/text_templates.h"

#include <utility>

#include "core/case_mapping.h"
#include "core/options.h"
#include "core/text.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

struct Replacement {
  std::string_view placeholder;
  std::string_view value;
};

// The common rule: a trimmed template without a brace pair is plain text; otherwise each
// placeholder is replaced in turn, so a value that itself holds a later placeholder is replaced too.
std::string Expand(std::string_view text_template, std::initializer_list<Replacement> replacements) {
  std::string text = Trim(text_template);
  if (!HasBraces(text)) return text;
  for (const Replacement& r : replacements) text = ReplaceAllIgnoreCase(text, r.placeholder, r.value);
  return text;
}

const CarTexts& CarVariant(const Car& car, std::size_t language) {
  static const CarTexts kNone;
  if (language == 0) return car.texts;
  return language < car.languages.size() ? car.languages[language] : kNone;
}

const PartTexts& PartVariant(const Part& part, std::size_t language) {
  static const PartTexts kNone;
  if (language == 0) return part.texts;
  return language < part.languages.size() ? part.languages[language] : kNone;
}

const std::string& GenericArticleName(const TradeGroup& group, std::size_t language) {
  static const std::string kNone;
  if (language == 0) return group.names.name;
  return language < group.languages.size() ? group.languages[language].name : kNone;
}

}  // namespace

bool HasBraces(std::string_view text) {
  std::string trimmed = Trim(text);
  return trimmed.find('{') != std::string::npos && trimmed.find('}') != std::string::npos;
}

std::string NameOfPart(const CatalogueTables& tables, std::int64_t article_id, std::size_t language) {
  const Part& part = tables.parts.At(article_id);
  const std::string& ga_name = GenericArticleName(tables.trade_groups.At(part.ga_id), language);
  return Trim(ga_name + " " + PartVariant(part, language).name_of_part);
}

std::string ExpandModelTitle(std::string_view title_template, const CatalogueTables& tables,
                             std::int64_t type_id, std::size_t language) {
  const Car& car = tables.cars.At(type_id);
  const CarTexts& texts = CarVariant(car, language);
  return Expand(title_template, {{"{MODEL}", texts.model},
                                 {"{BODYTYPE}", texts.body_type},
                                 {"{STARTANDENDYEARMODEL}", car.start_and_end_year_model}});
}

std::string ExpandTypeTitle(std::string_view title_template, const CatalogueTables& tables,
                            std::int64_t type_id, std::size_t language) {
  const Car& car = tables.cars.At(type_id);
  return Expand(title_template, {{"{ENGINETYPE}", CarVariant(car, language).engine_type},
                                 {"{ENGCC}", car.eng_cc},
                                 {"{ENGKW}", car.eng_kw},
                                 {"{ENGPS}", car.eng_ps},
                                 {"{ENGLIST}", car.eng_list},
                                 {"{STARTANDENDYEARTYPE}", car.start_and_end_year_type}});
}

std::string ExpandCategoryDescription(std::string_view description, const CatalogueTables& tables,
                                      std::int64_t type_id, std::string_view technical_data) {
  const Car& car = tables.cars.At(type_id);
  const std::string technical = Trim(technical_data);
  return Expand(description, {{"{MANUFACTURER}", car.make},
                              {"{MODEL}", car.texts.model},
                              {"{BODYTYPE}", car.texts.body_type},
                              {"{STARTANDENDYEARMODEL}", car.start_and_end_year_model},
                              {"{ENGINETYPE}", car.texts.engine_type},
                              {"{ENGCC}", car.eng_cc},
                              {"{ENGKW}", car.eng_kw},
                              {"{ENGPS}", car.eng_ps},
                              {"{ENGLIST}", car.eng_list},
                              {"{STARTANDENDYEARTYPE}", car.start_and_end_year_type},
                              {"{ADDITIONALDATACAR}", technical}});
}

std::string ExpandProductName(std::string_view name_template, const CatalogueTables& tables,
                              std::int64_t article_id, std::size_t language) {
  const Part& part = tables.parts.At(article_id);
  const std::string name_of_part = NameOfPart(tables, article_id, language);
  return Expand(name_template, {{"{BRAND}", tables.manufacturers.At(part.id_bra).name},
                                {"{TRADENUMBER}", part.trade_number},
                                {"{NAMEOFPART}", name_of_part},
                                {"{ADDCRITERY}", PartVariant(part, language).add_critery}});
}

std::string ExpandProductDescription(std::string_view description, const CatalogueTables& tables,
                                     std::int64_t article_id, const ArticleTexts& texts) {
  const Part& part = tables.parts.At(article_id);
  const std::string name_of_part = NameOfPart(tables, article_id, 0);
  return Expand(description, {{"{BRAND}", tables.manufacturers.At(part.id_bra).name},
                              {"{TRADENUMBER}", part.trade_number},
                              {"{NAMEOFPART}", name_of_part},
                              {"{ADDCRITERY}", part.texts.add_critery},
                              {"{CROSSREF}", texts.cross_references},
                              {"{USEDFORCARS-LIST}", texts.used_for_cars_list},
                              {"{USEDFORCARS-TABLE}", texts.used_for_cars_table}});
}

namespace {

TemplateTexts RunTemplates(const ExportRun& run) {
  const Options& o = run.session.options;
  TemplateTexts t;
  t.model_title = o.Text(OptionId::PreparationData_Cat_title_model);
  t.type_title = o.Text(OptionId::PreparationData_Cat_title_type);
  t.category_description = run.params.category_description;
  t.product_name = o.Text(OptionId::PreparationData_Pro_title_name_part);
  t.product_description = run.params.product_description;
  t.short_description = run.params.short_description;
  t.upper_case_brand = o.Boolean(OptionId::PreparationData_Cat_trans_manuf);
  t.upper_case_model = o.Boolean(OptionId::PreparationData_Cat_trans_model);
  t.upper_case_type = o.Boolean(OptionId::PreparationData_Cat_trans_type);
  return t;
}

// A placeholder counts only where the text is expanded at all.
bool Uses(std::string_view text, std::string_view placeholder) {
  return HasBraces(text) && HasPlaceholder(text, placeholder);
}

}  // namespace

TextTemplates::TextTemplates(ExportRun& run)
    : TextTemplates(RunTemplates(run), Tables(run), run.session.catalogue, run.LanguageId(),
                    run.CountryId()) {}

TextTemplates::TextTemplates(TemplateTexts templates, const CatalogueTables& tables,
                             platform::CatalogueConnection& catalogue, int language_id, int country_id)
    : templates_(std::move(templates)),
      tables_(tables),
      catalogue_(catalogue),
      language_id_(language_id),
      country_id_(country_id) {
  needs_technical_data_ = Uses(templates_.category_description, "{ADDITIONALDATACAR}");
  for (const std::string* text : {&templates_.product_description, &templates_.short_description}) {
    needs_cross_references_ = needs_cross_references_ || Uses(*text, "{CROSSREF}");
    needs_used_for_cars_ =
        needs_used_for_cars_ || Uses(*text, "{USEDFORCARS-LIST}") || Uses(*text, "{USEDFORCARS-TABLE}");
  }
}

std::string TextTemplates::ModelTitle(std::int64_t type_id, std::size_t language) const {
  return ExpandModelTitle(templates_.model_title, tables_, type_id, language);
}

std::string TextTemplates::TypeTitle(std::int64_t type_id, std::size_t language) const {
  return ExpandTypeTitle(templates_.type_title, tables_, type_id, language);
}

std::string TextTemplates::BrandCategoryName(std::int64_t type_id) const {
  const std::string& name = tables_.cars.At(type_id).make;
  return templates_.upper_case_brand ? UpperCase(name) : name;
}

std::string TextTemplates::ModelCategoryName(std::int64_t type_id, std::size_t language) const {
  std::string title = ModelTitle(type_id, language);
  return language == 0 && templates_.upper_case_model ? UpperCase(title) : title;
}

std::string TextTemplates::TypeCategoryName(std::int64_t type_id, std::size_t language) const {
  std::string title = TypeTitle(type_id, language);
  return language == 0 && templates_.upper_case_type ? UpperCase(title) : title;
}

std::string TextTemplates::CategoryDescription(std::int64_t type_id) {
  std::string technical;
  if (needs_technical_data_) {
    technical = technical_data_.Holds(type_id)
                    ? technical_data_.Text(type_id)
                    : VehicleTechnicalData(catalogue_, country_id_, language_id_, type_id);
  }
  return ExpandCategoryDescription(templates_.category_description, tables_, type_id, technical);
}

std::string TextTemplates::ProductName(std::int64_t article_id, std::size_t language) const {
  return ExpandProductName(templates_.product_name, tables_, article_id, language);
}

ArticleTexts TextTemplates::ComputedTexts(std::int64_t article_id) {
  if (article_id == cached_article_) return cached_texts_;
  ArticleTexts texts;
  if (needs_cross_references_) {
    texts.cross_references = cross_references_.Holds(article_id)
                                 ? cross_references_.Text(article_id)
                                 : CrossReferenceText(catalogue_, country_id_, article_id);
  }
  if (needs_used_for_cars_) {
    std::vector<std::int64_t> read;
    if (!used_for_cars_.Holds(article_id)) read = ReadUsedForCarsTypes(catalogue_, country_id_, article_id);
    const std::vector<std::int64_t>& types =
        used_for_cars_.Holds(article_id) ? used_for_cars_.Types(article_id) : read;
    texts.used_for_cars_list = UsedForCarsText(types, tables_, templates_.model_title, templates_.type_title,
                                               UsedForCarsForm::kList);
    texts.used_for_cars_table = UsedForCarsText(types, tables_, templates_.model_title, templates_.type_title,
                                                UsedForCarsForm::kTable);
  }
  cached_article_ = article_id;
  cached_texts_ = texts;
  return texts;
}

std::string TextTemplates::ProductDescription(std::int64_t article_id) {
  if (!HasBraces(templates_.product_description)) return Trim(templates_.product_description);
  return ExpandProductDescription(templates_.product_description, tables_, article_id,
                                  ComputedTexts(article_id));
}

std::string TextTemplates::ShortDescription(std::int64_t article_id) {
  if (!HasBraces(templates_.short_description)) return Trim(templates_.short_description);
  return ExpandProductDescription(templates_.short_description, tables_, article_id,
                                  ComputedTexts(article_id));
}

void TextTemplates::PrefetchTypes(std::span<const std::int64_t> type_ids) {
  if (needs_technical_data_) technical_data_.Load(catalogue_, country_id_, language_id_, type_ids);
}

void TextTemplates::PrefetchArticles(std::span<const std::int64_t> article_ids) {
  if (needs_cross_references_) cross_references_.Load(catalogue_, country_id_, article_ids);
  if (needs_used_for_cars_) used_for_cars_.Load(catalogue_, country_id_, article_ids);
}

}  // namespace quarvel::exporting
