#include <optional>
#include <string>

#include "bench/catalogue_generator/catalogue_steps.h"
#include "bench/catalogue_generator/text_pools.h"

namespace quarvel::bench {
namespace {

struct LanguageRow {
  std::int64_t id;
  std::string_view iso2;
  Translation name;
};

// French has a name but no texts of its own: an export in it finds no designations.
constexpr LanguageRow kLanguages[] = {
    {kGermanId, "de", {"German", "Deutsch", "Немецкий"}},
    {kEnglishId, "en", {"English", "Englisch", "Английский"}},
    {6, "fr", {"French", "Französisch", "Французский"}},
    {kRussianId, "ru", {"Russian", "Russisch", "Русский"}},
};

struct CountryRow {
  std::int64_t id;
  std::string_view currency;  // empty for a country group
  Translation name;
};

constexpr CountryRow kCountries[] = {
    {1, "EUR", {"Germany", "Deutschland", "Германия"}},
    {62, "EUR", {"France", "Frankreich", "Франция"}},
    {199, "RUB", {"Russia", "Russland", "Россия"}},
    {249, "PLN", {"Poland", "Polen", "Польша"}},
    {250, "UAH", {"Ukraine", "Ukraine", "Украина"}},
    {251, "", {"Europe", "Europa", "Европа"}},
    {252, "", {"CIS", "GUS", "СНГ"}},
};

void WriteLanguagesAndCountries(GenerationContext& context) {
  TableInserter languages(context.db, "TOF_LANGUAGES", {"LNG_ID", "LNG_DES_ID", "LNG_ISO2"});
  for (const LanguageRow& row : kLanguages) {
    languages.Insert(row.id, context.designations.Add(row.name), row.iso2);
  }
  TableInserter countries(context.db, "TOF_COUNTRIES", {"COU_ID", "COU_DES_ID", "COU_CURRENCY_CODE"});
  for (const CountryRow& row : kCountries) {
    std::int64_t des_id = context.designations.Add(row.name);
    if (row.currency.empty()) {
      countries.Insert(row.id, des_id, std::nullopt);
    } else {
      countries.Insert(row.id, des_id, row.currency);
    }
  }
  context.Count(languages);
  context.Count(countries);
}

void WriteParametersAndDocumentTypes(GenerationContext& context) {
  TableInserter parameters(context.db, "TOF_PARAMETERS", {"PAR_NAME", "PAR_VALUE"});
  parameters.Insert("GRAPHIC_URL", "http://127.0.0.1:8080/tecdoc/pictures");
  parameters.Insert("GRAPHIC_USER", "demo ");
  parameters.Insert("GRAPHIC_PASSWORD", "p@ss:w'rd");
  // 1 and 2 differ in letter case only; 3 is a document; 4 has no extension.
  TableInserter documents(context.db, "TOF_DOC_TYPES", {"DOC_TYPE", "DOC_EXTENSION"});
  documents.Insert(1, "BMP");
  documents.Insert(2, "bmp");
  documents.Insert(3, "PDF");
  documents.Insert(4, std::nullopt);
  context.Count(parameters);
  context.Count(documents);
}

void WriteCriteriaAndTexts(GenerationContext& context) {
  TableInserter criteria(context.db, "TOF_CRITERIA", {"CRI_ID", "CRI_DES_ID"});
  std::int64_t criterion_id = 1;
  for (const Translation& name : CriterionNames()) {
    context.criterion_ids.push_back(criterion_id);
    criteria.Insert(criterion_id, context.designations.Add(name));
    criterion_id += 2;
  }
  // Language-neutral criterion names and values, found only through "DES_LNG_ID IS NULL".
  for (std::string_view name : {"Ø [mm]", "SAE"}) {
    context.criterion_ids.push_back(criterion_id);
    criteria.Insert(criterion_id, context.designations.AddNeutral(name));
    criterion_id += 2;
  }
  for (const Translation& value : CriterionKeyValues()) {
    context.key_value_des_ids.push_back(context.designations.Add(value));
  }
  for (std::string_view value : {"12 V", "24 V", "5W-30"}) {
    context.key_value_des_ids.push_back(context.designations.AddNeutral(value));
  }
  for (const Translation& remark : ArticleRemarks()) {
    context.remark_des_ids.push_back(context.designations.Add(remark));
  }

  TableInserter module_texts(context.db, "TOF_TEXT_MODULE_TEXTS", {"TMT_ID", "TMT_TEXT"});
  TableInserter modules(context.db, "TOF_TEXT_MODULES", {"TMO_ID", "TMO_LNG_ID", "TMO_TMT_ID"});
  std::int64_t module_id = 100;
  std::int64_t text_id = 1;
  for (const Translation& info : InfoTexts()) {
    const std::pair<std::int64_t, std::string_view> rows[] = {
        {kEnglishId, info.english}, {kGermanId, info.german}, {kRussianId, info.russian}};
    for (const auto& [language, text] : rows) {
      module_texts.Insert(text_id, text);
      modules.Insert(module_id, language, text_id);
      ++text_id;
    }
    context.text_module_ids.push_back(module_id);
    module_id += 10;
  }
  context.Count(criteria);
  context.Count(module_texts);
  context.Count(modules);
}

std::string Joined(std::string_view base, std::string_view qualifier) {
  std::string text(base);
  if (!base.empty() && !qualifier.empty()) text += ", ";
  if (!base.empty()) text += qualifier;
  return text;
}

// Three levels: roots, trade groups (level 2, what the export selects) and one leaf per generic
// article name. Every generic article links to its leaf and to the leaf's trade group.
void WriteSearchTreeAndGenericArticles(GenerationContext& context) {
  TableInserter tree(context.db, "TOF_SEARCH_TREE", {"STR_ID", "STR_ID_PARENT", "STR_LEVEL", "STR_DES_ID"});
  TableInserter generic(context.db, "TOF_GENERIC_ARTICLES",
                        {"GA_ID", "GA_DES_ID", "GA_DES_ID_STANDARD", "GA_DES_ID_ASSEMBLY"});
  TableInserter tree_links(context.db, "TOF_LINK_GA_STR", {"LGS_GA_ID", "LGS_STR_ID"});

  std::int64_t next_node = 10001;
  std::vector<std::int64_t> roots;
  std::vector<std::int64_t> root_des_ids;
  for (const Translation& name : TreeRootNames()) {
    std::int64_t des_id = context.designations.Add(name);
    tree.Insert(next_node, std::nullopt, 1, des_id);
    roots.push_back(next_node++);
    root_des_ids.push_back(des_id);
  }
  std::vector<std::int64_t> groups;
  std::vector<std::size_t> group_roots;
  for (std::size_t i = 0; i < TreeNodeNames().size(); ++i) {
    std::size_t root = i % roots.size();
    tree.Insert(next_node, roots[root], 2, context.designations.Add(TreeNodeNames()[i]));
    groups.push_back(next_node++);
    group_roots.push_back(root);
  }

  std::int64_t ga_id = 1;
  const auto names = GenericArticleNames();
  const auto qualifiers = PositionQualifiers();
  for (std::size_t n = 0; n < names.size(); ++n) {
    std::size_t group = n % groups.size();
    std::int64_t leaf = next_node++;
    std::int64_t standard_des_id = context.designations.Add(names[n]);
    tree.Insert(leaf, groups[group], 3, standard_des_id);
    for (const Translation& qualifier : qualifiers) {
      std::string english = Joined(names[n].english, qualifier.english);
      std::string german = Joined(names[n].german, qualifier.german);
      std::string russian = Joined(names[n].russian, qualifier.russian);
      std::int64_t des_id =
          qualifier.english.empty() ? standard_des_id : context.designations.Add({english, german, russian});
      generic.Insert(ga_id, des_id, standard_des_id, root_des_ids[group_roots[group]]);
      tree_links.Insert(ga_id, leaf);
      tree_links.Insert(ga_id, groups[group]);
      context.generic_article_ids.push_back(ga_id);
      context.generic_article_des_ids.push_back(des_id);
      ga_id += 3;
    }
  }
  context.Count(tree);
  context.Count(generic);
  context.Count(tree_links);
}

}  // namespace

void WriteReferenceData(GenerationContext& context) {
  WriteLanguagesAndCountries(context);
  WriteParametersAndDocumentTypes(context);
  WriteCriteriaAndTexts(context);
  WriteSearchTreeAndGenericArticles(context);
}

}  // namespace quarvel::bench
