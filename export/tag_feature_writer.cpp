#include "export/tag_feature_writer.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

#include "core/text.h"
#include "export/catalogue_tables.h"
#include "export/reading_helpers.h"
#include "export/table_script_writer.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

// Store field lengths: tag names are varchar(32), feature names varchar(128), feature values
// varchar(255). Cuts are made on the raw text, before escaping, so no escape pair is split.
constexpr std::size_t kTagNameLength = 32;
constexpr std::size_t kFeatureNameLength = 128;
constexpr std::size_t kFeatureValueLength = 255;

// One output table: its kept columns, its writer and a reused row.
struct Table {
  Table(ExportRun& run, const StoreColumns& store, std::string_view name,
        std::initializer_list<std::string_view> column_names, std::string_view header = {})
      : columns(store, name, column_names), writer(run.params, name, columns.List()), row(columns) {
    writer.Begin(name, header);
  }
  void Add() { writer.AddRow(row.View()); }

  TableColumns columns;
  TableScriptWriter writer;
  TableRow row;
};

// The catalogue's criteria statements are lines separated by a CR.
std::string JoinCrLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += '\r';
    text += line;
  }
  return text;
}

std::string FeatureValueHead() {
  return JoinCrLines(
      {"SELECT  DISTINCT ", "  CAST(ACR_ART_ID AS VARCHAR(*)) as ARTID, ",
       "  CAST(ACR_CRI_ID AS VARCHAR(*)) as CRIID, ", "  CASE ", "    WHEN TOF_DES_TEXTS2.TEX_TEXT IS NULL",
       "    THEN ACR_VALUE", "    ELSE TOF_DES_TEXTS2.TEX_TEXT", "  END AS CRIVALUE ", "        FROM ",
       "    TOF_ARTICLE_CRITERIA ",
       "    LEFT JOIN TOF_DESIGNATIONS  TOF_DESIGNATIONS2 ON TOF_DESIGNATIONS2.DES_ID = ACR_KV_DES_ID ",
       "    LEFT JOIN TOF_DES_TEXTS  TOF_DES_TEXTS2 ON TOF_DES_TEXTS2.TEX_ID = "
       "TOF_DESIGNATIONS2.DES_TEX_ID "});
}

// The active parts' catalogue ids in ascending order.
std::vector<std::int64_t> ActiveArticles(IdTable<Part>& parts) {
  parts.Sort();
  std::vector<std::int64_t> ids;
  for (const Part& part : parts.records())
    if (part.activ) ids.push_back(part.id);
  return ids;
}

// Calls `batch` for consecutive slices of `ids` of at most `size` ids each.
template <typename Batch>
void ForEachBatch(const std::vector<std::int64_t>& ids, std::size_t size, Batch batch) {
  for (std::size_t start = 0; start < ids.size(); start += size)
    batch(std::span<const std::int64_t>(ids).subspan(start, std::min(size, ids.size() - start)));
}

void WriteTags(ExportRun& run, const StoreColumns& columns, const std::vector<std::int64_t>& articles) {
  CatalogueTables& tables = Tables(run);
  const int main_lang = run.session.store_defaults.default_lang_id;
  const bool languages = run.params.clean_store && run.AdditionalLanguagesActive();

  // The header adds id_manufacturer before the rows arrive, so the column counts as present even
  // where the store, as learnt, does not have it yet.
  StoreColumns tag_columns = columns;
  if (tag_columns.Knows("tag")) tag_columns.AddTable("tag", {"id_manufacturer"});
  Table tag(run, tag_columns, "tag", {"id_tag", "id_lang", "id_manufacturer", "name"},
            TagFileHeader(run.params.table_prefix));
  Table product_tag(run, columns, "product_tag", {"id_product", "id_tag"});

  std::int64_t id_tag = run.params.clean_store ? 0 : run.store_state.highest_tag_id;
  ForEachBatch(articles, kTagArticlesPerQuery, [&](std::span<const std::int64_t> batch) {
    platform::CatalogueCursor c = run.session.catalogue.Query(CrossReferenceTagSql(run.CountryId(), batch));
    const int c_article = c.ColumnIndex("ARTID"), c_brand = c.ColumnIndex("BRANDID"),
              c_code = c.ColumnIndex("CODE");
    for (; !c.AtEnd(); c.Next()) {
      const std::int64_t product = tables.parts.At(c.Integer(c_article)).cat_artid;
      // The store has no product 0: such a tag would hang on nothing.
      if (product < 1) continue;
      const std::int64_t brand = tables.manufacturers.At(c.Integer(c_brand)).cat_manufacturer;
      const std::string name = FirstCharacters(c.Text(c_code), kTagNameLength);
      ++id_tag;
      // One tag id for all languages of a number; the tag key is (id_tag, id_lang).
      tag.row.Clear().Integer(id_tag).Integer(main_lang).Integer(brand).Text(name);
      tag.Add();
      if (languages) {
        for (const ExportLanguage& language : run.languages) {
          tag.row.Clear().Integer(id_tag).Integer(language.store_lang_id).Integer(brand).Text(name);
          tag.Add();
        }
      }
      product_tag.row.Clear().Integer(product).Integer(id_tag);
      product_tag.Add();
      tag.writer.EndItem();
      product_tag.writer.EndItem();
      CheckStop(run);
    }
  });
  tag.writer.Finish();
  product_tag.writer.Finish();
}

void WriteFeatures(ExportRun& run, const StoreColumns& columns) {
  IdTable<Criterion>& criteria = Tables(run).criteria;
  criteria.Sort();
  const int main_lang = run.session.store_defaults.default_lang_id;
  const int shop = run.session.store_defaults.default_shop_id;

  Table feature(run, columns, "feature", {"id_feature", "position"});
  Table feature_lang(run, columns, "feature_lang", {"id_feature", "id_lang", "name"});
  Table feature_shop(run, columns, "feature_shop", {"id_feature", "id_shop"});
  std::int64_t position = 0;
  for (const Criterion& criterion : criteria.records()) {
    if (!criterion.activ || criterion.cat_criid < 1) continue;
    const std::int64_t id = criterion.cat_criid;
    feature.row.Clear().Integer(id).Integer(++position);
    feature.Add();
    feature_lang.row.Clear().Integer(id).Integer(main_lang).Text(
        FirstCharacters(criterion.name, kFeatureNameLength));
    feature_lang.Add();
    for (std::size_t n = 1; n <= run.languages.size() && n < criterion.languages.size(); ++n) {
      feature_lang.row.Clear()
          .Integer(id)
          .Integer(run.languages[n - 1].store_lang_id)
          .Text(FirstCharacters(criterion.languages[n], kFeatureNameLength));
      feature_lang.Add();
    }
    feature_shop.row.Clear().Integer(id).Integer(shop);
    feature_shop.Add();
    feature.writer.EndItem();
    feature_lang.writer.EndItem();
    feature_shop.writer.EndItem();
    CheckStop(run);
  }
  feature.writer.Finish();
  feature_lang.writer.Finish();
  feature_shop.writer.Finish();
}

using ValueKey = std::pair<std::int64_t, std::int64_t>;  // (article, criterion)

// One product's value of one criterion: the trimmed texts of its rows joined by " | ".
struct JoinedValue {
  ValueKey key;
  std::string text;
};

// The values of a batch in the order their first rows came.
std::vector<JoinedValue> ReadJoinedValues(ExportRun& run, std::span<const std::int64_t> batch) {
  std::vector<JoinedValue> values;
  std::map<ValueKey, std::size_t> index;
  platform::CatalogueCursor c = run.session.catalogue.Query(FeatureValueSql(run.LanguageId(), batch));
  const int c_article = c.ColumnIndex("ARTID"), c_criterion = c.ColumnIndex("CRIID"),
            c_value = c.ColumnIndex("CRIVALUE");
  for (; !c.AtEnd(); c.Next()) {
    ValueKey key{c.Integer(c_article), c.Integer(c_criterion)};
    std::string text = Trim(c.Text(c_value));
    auto [it, inserted] = index.try_emplace(key, values.size());
    if (inserted) {
      values.push_back({key, std::move(text)});
    } else {
      values[it->second].text.append(" | ").append(text);
    }
  }
  return values;
}

// The first translated value of each (article, criterion) of the batch in one more language, as
// the catalogue gives it (neither trimmed nor joined). One statement per batch and language, not
// per value: the answers are the same and the round trips a fraction.
std::map<ValueKey, std::string> ReadLanguageValues(ExportRun& run, std::span<const std::int64_t> batch,
                                                   int catalogue_lang_id) {
  std::map<ValueKey, std::string> values;
  platform::CatalogueCursor c =
      run.session.catalogue.Query(FeatureValueLanguageSql(catalogue_lang_id, batch));
  const int c_article = c.ColumnIndex("ARTID"), c_criterion = c.ColumnIndex("CRIID"),
            c_value = c.ColumnIndex("CRIVALUE");
  for (; !c.AtEnd(); c.Next())
    values.try_emplace(ValueKey{c.Integer(c_article), c.Integer(c_criterion)}, c.Text(c_value));
  return values;
}

void WriteFeatureValues(ExportRun& run, const StoreColumns& columns,
                        const std::vector<std::int64_t>& articles) {
  CatalogueTables& tables = Tables(run);
  const int main_lang = run.session.store_defaults.default_lang_id;
  const bool languages = run.params.clean_store && run.AdditionalLanguagesActive();

  Table value(run, columns, "feature_value", {"id_feature_value", "id_feature"});
  Table value_lang(run, columns, "feature_value_lang", {"id_feature_value", "id_lang", "value"});
  Table feature_product(run, columns, "feature_product", {"id_feature", "id_product", "id_feature_value"});

  std::int64_t value_id = run.params.clean_store ? 0 : run.store_state.highest_feature_value_id;
  std::vector<std::map<ValueKey, std::string>> translated;
  ForEachBatch(articles, kCriteriaArticlesPerQuery, [&](std::span<const std::int64_t> batch) {
    const std::vector<JoinedValue> values = ReadJoinedValues(run, batch);
    translated.clear();
    if (languages && !values.empty()) {
      for (const ExportLanguage& language : run.languages)
        translated.push_back(ReadLanguageValues(run, batch, language.catalogue_lang_id));
    }
    for (const JoinedValue& joined : values) {
      const std::int64_t feature = tables.criteria.At(joined.key.second).cat_criid;
      const std::int64_t product = tables.parts.At(joined.key.first).cat_artid;
      // The store has no feature 0 (a criterion no store feature matched) and no product 0.
      if (feature < 1 || product < 1) continue;
      ++value_id;
      value.row.Clear().Integer(value_id).Integer(feature);
      value.Add();
      value_lang.row.Clear().Integer(value_id).Integer(main_lang).Text(
          FirstCharacters(joined.text, kFeatureValueLength));
      value_lang.Add();
      for (std::size_t n = 0; n < translated.size(); ++n) {
        auto found = translated[n].find(joined.key);
        const std::string& text = found == translated[n].end() ? joined.text : found->second;
        value_lang.row.Clear()
            .Integer(value_id)
            .Integer(run.languages[n].store_lang_id)
            .Text(FirstCharacters(text, kFeatureValueLength));
        value_lang.Add();
      }
      feature_product.row.Clear().Integer(feature).Integer(product).Integer(value_id);
      feature_product.Add();
      value.writer.EndItem();
      value_lang.writer.EndItem();
      feature_product.writer.EndItem();
    }
    CheckStop(run);
  });
  value.writer.Finish();
  value_lang.writer.Finish();
  feature_product.writer.Finish();
}

}  // namespace

std::string TagFileHeader(std::string_view prefix) {
  return "drop procedure if exists foo; delimiter $$ create procedure foo () begin declare continue handler "
         "for 1060 begin end; alter table `" +
         std::string(prefix) +
         "tag` add `id_manufacturer` int(10) default null; end$$ delimiter ; call foo(); drop procedure foo;";
}

std::string CrossReferenceTagSql(int country_id, std::span<const std::int64_t> article_ids) {
  return JoinSqlLines(
      {"SELECT DISTINCT", "       CAST(ARL_ART_ID AS VARCHAR(*)) AS ARTID,", "       case",
       "         when (ARL_KIND='1') OR (ARL_KIND='2') ",
       "         then (SELECT MIN(SUP_BRAND) FROM TOF_SUPPLIERS WHERE SUP_ID = "
       "TOF_ARTICLES.ART_SUP_ID) ",
       "         else (SELECT MIN(BRA_BRAND) FROM TOF_BRANDS WHERE BRA_ID=ARL_BRA_ID) ",
       "       end AS BRAND,", "       case", "         when (ARL_KIND='1') OR (ARL_KIND='2') ",
       "         then CAST(TOF_ARTICLES.ART_SUP_ID AS VARCHAR(*)) ",
       "         else CAST(ARL_BRA_ID AS VARCHAR(*)) ", "       end AS BRANDID,",
       "       TRIM(ARL_SEARCH_NUMBER) AS CODE", "FROM TOF_ART_LOOKUP",
       "     LEFT JOIN TOF_ARTICLES ON TOF_ARTICLES.ART_ID = TOF_ART_LOOKUP.ARL_ART_ID",
       "WHERE (" + CountryTest("ARL_CTM", country_id) + ")",
       "     AND (ARL_ART_ID IN (" + JoinIds(article_ids) + ")) AND (ARL_KIND IN ('1','3','4'))",
       "     AND (" + CountryTest("ART_CTM", country_id) + ")", "ORDER BY ARTID, BRAND, CODE"});
}

std::string FeatureValueSql(int language_id, std::span<const std::int64_t> article_ids) {
  return JoinCrLines({FeatureValueHead(),
                      "WHERE (TOF_ARTICLE_CRITERIA.ACR_ART_ID IN (" + JoinIds(article_ids) + "))  ",
                      "    \tAND (TOF_DESIGNATIONS2.DES_LNG_ID IS NULL OR TOF_DESIGNATIONS2.DES_LNG_ID = " +
                          std::to_string(language_id) + ") ",
                      "ORDER BY ARTID, CRIID, ACR_SORT "});
}

std::string FeatureValueLanguageSql(int language_id, std::span<const std::int64_t> article_ids) {
  return JoinCrLines({FeatureValueHead(),
                      "WHERE (TOF_ARTICLE_CRITERIA.ACR_ART_ID IN (" + JoinIds(article_ids) + "))  ",
                      "    \tAND (TOF_DESIGNATIONS2.DES_LNG_ID = " + std::to_string(language_id) + ") ",
                      "ORDER BY ARTID, CRIID, ACR_SORT "});
}

void WriteTagsAndFeatures(ExportRun& run, const StoreColumns& columns) {
  const std::vector<WritingStage> stages = WritingStagesToRun(run.params, false);
  if (std::find(stages.begin(), stages.end(), WritingStage::kProducts) == stages.end()) return;

  const std::vector<std::int64_t> articles = ActiveArticles(Tables(run).parts);

  LogLine(run, std::string(progress::kTagTables));
  WriteTags(run, columns, articles);

  if (run.params.clean_store) {
    LogLine(run, std::string(progress::kFeatureTables));
    WriteFeatures(run, columns);
  }

  LogLine(run, std::string(progress::kFeatureValueTables));
  WriteFeatureValues(run, columns, articles);
}

}  // namespace quarvel::exporting
