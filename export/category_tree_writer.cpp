#include "export/category_tree_writer.h"

#include <charconv>
#include <filesystem>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/case_mapping.h"
#include "core/text.h"
#include "export/catalogue_tables.h"
#include "export/script_values.h"
#include "export/table_script_writer.h"
#include "export/text_templates.h"
#include "export/writing_stages.h"

namespace quarvel::exporting {

namespace {

// category_lang's name and link_rewrite are varchar(128). Names are cut raw, before escaping, so an
// escape pair can never be split; links are ASCII after the link conversion.
constexpr std::size_t kNameLength = 128;

constexpr std::string_view kCategory = "category";
constexpr std::string_view kCategoryGroup = "category_group";
constexpr std::string_view kCategoryLang = "category_lang";
constexpr std::string_view kCategoryShop = "category_shop";

// The customer groups every exported category is shown to.
constexpr int kGroups[] = {1, 2, 3};

enum class Level {
  kTradeGroup,      // PARTS tree: cat1 of a generic article
  kGenericArticle,  // PARTS tree: cat2
  kBrand,           // VEHICLE tree: cat_man
  kModel,           // cat_model
  kType,            // cat_type
  kTypeTradeGroup,  // cat_num1 under a type
  kTypeArticle,     // cat_num2 under cat_num1
};

struct Node {
  Level level;
  std::int64_t id;
  std::int64_t parent;
  const TradeGroup* group = nullptr;  // the generic article of the trade-group levels
  const Car* car = nullptr;           // the vehicle type of the VEHICLE levels
};

struct TreeOptions {
  bool vehicle_tree;
  bool parts_tree;   // the PARTS tree itself, written in "Clean store" runs only
  bool by_assembly;  // trade groups named by GA_ASSEMBLY, otherwise by GA_SHORT
};

TreeOptions ReadTreeOptions(const ExportRun& run) {
  const Options& o = run.session.options;
  return {.vehicle_tree = o.Boolean(OptionId::PreparationData_CreateCatTreeForVEHICLE),
          .parts_tree = o.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS) && run.params.clean_store,
          .by_assembly = o.Boolean(OptionId::PreparationData_Pro_CategoryForTradeGroup)};
}

// Walks the tree below the top categories in the order every table writes it, each category once.
// The visitor gets Category(node) for each category, EndItem() where a source item ends (after each
// generic article, after a type's brand, model and type rows, after each of its trade groups) and
// Types(ids) before each slice of vehicle types, so that their texts can be read in batches.
template <typename Visitor>
void WalkTree(ExportRun& run, const TreeOptions& options, const TopCategories& top, Visitor& visitor) {
  CatalogueTables& tables = *run.tables;
  if (options.parts_tree) {
    std::unordered_set<std::int64_t> met;
    for (const TradeGroup& group : tables.trade_groups.records()) {
      if (!group.activ) continue;
      if (met.insert(group.cat1).second)
        visitor.Category(Node{Level::kTradeGroup, group.cat1, top.parts, &group, nullptr});
      visitor.Category(Node{Level::kGenericArticle, group.cat2, group.cat1, &group, nullptr});
      visitor.EndItem();
      run.check_stop();
    }
  }
  if (!options.vehicle_tree) return;

  std::vector<const Car*> cars;
  for (const Car& car : tables.cars.records()) {
    if (car.activ) cars.push_back(&car);
  }
  std::unordered_set<std::int64_t> brands_and_models;
  std::unordered_set<std::int64_t> type_groups;
  std::vector<std::int64_t> slice;
  for (std::size_t start = 0; start < cars.size(); start += TextTemplates::kIdsPerStatement) {
    const std::size_t end = std::min(cars.size(), start + TextTemplates::kIdsPerStatement);
    slice.clear();
    for (std::size_t i = start; i < end; ++i) slice.push_back(cars[i]->id);
    visitor.Types(slice);
    for (std::size_t i = start; i < end; ++i) {
      const Car& car = *cars[i];
      // Brand and model categories the store already has are parents only.
      if (!car.cat_man_in_store && brands_and_models.insert(car.cat_man).second)
        visitor.Category(Node{Level::kBrand, car.cat_man, top.vehicle, nullptr, &car});
      if (!car.cat_model_in_store && brands_and_models.insert(car.cat_model).second)
        visitor.Category(Node{Level::kModel, car.cat_model, car.cat_man, nullptr, &car});
      visitor.Category(Node{Level::kType, car.cat_type, car.cat_model, nullptr, &car});
      visitor.EndItem();
      type_groups.clear();
      for (const CarTradeGroup& entry : car.ga) {
        const TradeGroup& group = tables.trade_groups.At(entry.id_ga);
        if (type_groups.insert(entry.cat_num1).second)
          visitor.Category(Node{Level::kTypeTradeGroup, entry.cat_num1, car.cat_type, &group, &car});
        visitor.Category(Node{Level::kTypeArticle, entry.cat_num2, entry.cat_num1, &group, &car});
        visitor.EndItem();
      }
      run.check_stop();
    }
  }
}

// What every table's visitor shares: its writer and row, and the ids of the run.
struct TableVisitor {
  TableVisitor(ExportRun& run, const StoreColumns& columns, std::string_view table,
               std::initializer_list<std::string_view> column_names)
      : columns(columns, table, column_names),
        writer(run.params, table, this->columns.List()),
        row(this->columns),
        shop(run.session.store_defaults.default_shop_id),
        lang(run.session.store_defaults.default_lang_id) {
    writer.Begin(table);
  }
  void EndItem() { writer.EndItem(); }
  void Types(std::span<const std::int64_t>) {}

  TableColumns columns;
  TableScriptWriter writer;
  TableRow row;
  int shop;
  int lang;
};

class CategoryVisitor : public TableVisitor {
 public:
  CategoryVisitor(ExportRun& run, const StoreColumns& columns)
      : TableVisitor(run, columns, kCategory,
                     {"id_category", "id_parent", "id_shop_default", "level_depth", "nleft", "nright",
                      "active", "date_add", "date_upd", "position", "is_root_category"}) {}

  void Add(std::int64_t id, std::int64_t parent, bool root) {
    writer.AddRow(row.Clear()
                      .Integer(id)
                      .Integer(parent)
                      .Integer(shop)
                      .Integer(0)
                      .Integer(0)
                      .Integer(0)
                      .Integer(1)
                      .Literal("NOW()")
                      .Literal("NOW()")
                      .Integer(0)
                      .Integer(root ? 1 : 0)
                      .View());
  }
  void Category(const Node& node) { Add(node.id, node.parent, false); }
};

class GroupVisitor : public TableVisitor {
 public:
  GroupVisitor(ExportRun& run, const StoreColumns& columns)
      : TableVisitor(run, columns, kCategoryGroup, {"id_category", "id_group"}),
        prefix_(run.params.table_prefix) {}

  // A statement of its own, outside the writer's counting: the rows of the top categories.
  void WriteStatement(const std::string& rows) {
    writer.WriteLine("INSERT INTO `" + prefix_ + std::string(kCategoryGroup) + "` (" + columns.List() +
                     ") VALUES " + rows + ";");
  }
  std::string Row(std::int64_t id, int group) {
    row.Clear().Integer(id).Integer(group);
    return "(" + std::string(row.View()) + ")";
  }
  void Category(const Node& node) { writer.AddRow(row.Clear().Integer(node.id).Integer(group).View()); }

  int group = 1;

 private:
  std::string prefix_;
};

class ShopVisitor : public TableVisitor {
 public:
  ShopVisitor(ExportRun& run, const StoreColumns& columns)
      : TableVisitor(run, columns, kCategoryShop, {"id_category", "id_shop", "position"}) {}

  void Add(std::int64_t id) { writer.AddRow(row.Clear().Integer(id).Integer(shop).Integer(0).View()); }
  void Category(const Node& node) { Add(node.id); }
};

TemplateTexts CategoryTemplates(const ExportRun& run) {
  const Options& o = run.session.options;
  TemplateTexts t;
  t.model_title = o.Text(OptionId::PreparationData_Cat_title_model);
  t.type_title = o.Text(OptionId::PreparationData_Cat_title_type);
  t.category_description = run.params.category_description;
  t.upper_case_brand = o.Boolean(OptionId::PreparationData_Cat_trans_manuf);
  t.upper_case_model = o.Boolean(OptionId::PreparationData_Cat_trans_model);
  t.upper_case_type = o.Boolean(OptionId::PreparationData_Cat_trans_type);
  return t;
}

// The names of the car makes (TOF_MANUFACTURERS.MFA_BRAND) by make id. A vehicle type's
// id_manufacturer is a make id; the run's brand table is keyed by part-brand ids, a different id
// space, so looking the make up there would name AUDI's categories after whatever part brand
// happens to share its id.
std::unordered_map<std::int64_t, std::string> ReadCarMakes(ExportRun& run) {
  std::unordered_map<std::int64_t, std::string> makes;
  platform::CatalogueCursor c = run.session.catalogue.Query(
      "SELECT CAST(TOF_MANUFACTURERS.MFA_ID AS VARCHAR(*)) AS MFAID, TOF_MANUFACTURERS.MFA_BRAND AS "
      "MARKAAUTO "
      "FROM TOF_MANUFACTURERS");
  const int c_id = c.ColumnIndex("MFAID");
  const int c_name = c.ColumnIndex("MARKAAUTO");
  for (; !c.AtEnd(); c.Next()) {
    const std::string& id_text = c.Text(c_id);
    std::int64_t id = 0;
    auto [end, error] = std::from_chars(id_text.data(), id_text.data() + id_text.size(), id);
    if (error == std::errc() && end == id_text.data() + id_text.size()) makes[id] = c.Text(c_name);
  }
  return makes;
}

std::string Link(std::string_view text) {
  return std::string(FirstCharacters(MakeLinkRewrite(text), kNameLength));
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) {
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

class LangVisitor : public TableVisitor {
 public:
  LangVisitor(ExportRun& run, const StoreColumns& columns, const TreeOptions& options)
      : TableVisitor(run, columns, kCategoryLang,
                     {"id_category", "id_shop", "id_lang", "name", "link_rewrite", "description"}),
        options_(options),
        texts_(CategoryTemplates(run), *run.tables, run.session.catalogue, run.LanguageId(), run.CountryId()),
        upper_case_brand_(run.session.options.Boolean(OptionId::PreparationData_Cat_trans_manuf)) {
    if (options.vehicle_tree) makes_ = ReadCarMakes(run);
    // Language rows belong to "Clean store" runs only.
    if (run.params.clean_store) languages_ = run.languages;
  }

  // One category's main-language row and, when `repeat` is set, the same texts for every additional
  // language.
  void AddSame(std::int64_t id, std::string_view name, std::string_view link, bool repeat) {
    Add(id, lang, name, link, {});
    if (!repeat) return;
    for (const ExportLanguage& language : languages_) Add(id, language.store_lang_id, name, link, {});
  }

  void Types(std::span<const std::int64_t> ids) { texts_.PrefetchTypes(ids); }

  void Category(const Node& node) {
    switch (node.level) {
      case Level::kTradeGroup:
      case Level::kGenericArticle: {
        const bool article = node.level == Level::kGenericArticle;
        std::string name = Cut(GroupName(node.group->names, article));
        Add(node.id, lang, name, Link(name), {});
        for (std::size_t k = 1; k <= languages_.size(); ++k) {
          std::string variant = Cut(GroupName(GroupVariant(*node.group, k), article));
          Add(node.id, languages_[k - 1].store_lang_id, variant, Link(variant), {});
        }
        break;
      }
      case Level::kBrand: {
        const std::string& brand = Brand(*node.car);
        std::string name = Cut(upper_case_brand_ ? UpperCase(brand) : brand);
        AddSame(node.id, name, Link(name), true);
        break;
      }
      case Level::kModel: {
        const std::string& brand = Brand(*node.car);
        Add(node.id, lang, Cut(texts_.ModelCategoryName(node.car->id)),
            Link(Joined({brand, node.car->texts.model})), {});
        for (std::size_t k = 1; k <= languages_.size(); ++k) {
          Add(node.id, languages_[k - 1].store_lang_id, Cut(texts_.ModelCategoryName(node.car->id, k)),
              Link(Joined({brand, CarVariant(*node.car, k).model})), {});
        }
        break;
      }
      case Level::kType: {
        const Car& car = *node.car;
        const std::string& brand = Brand(car);
        const std::string description = texts_.CategoryDescription(car.id);
        Add(node.id, lang, Cut(texts_.TypeCategoryName(car.id)),
            Link(Joined({brand, car.texts.model, car.texts.engine_type})), description);
        for (std::size_t k = 1; k <= languages_.size(); ++k) {
          const CarTexts& variant = CarVariant(car, k);
          Add(node.id, languages_[k - 1].store_lang_id, Cut(texts_.TypeCategoryName(car.id, k)),
              Link(Joined({brand, variant.model, variant.engine_type})), description);
        }
        break;
      }
      case Level::kTypeTradeGroup:
      case Level::kTypeArticle: {
        const bool article = node.level == Level::kTypeArticle;
        const Car& car = *node.car;
        const std::string& brand = Brand(car);
        std::string name = Cut(GroupName(node.group->names, article));
        Add(node.id, lang, name, Link(Joined({brand, car.texts.model, car.texts.engine_type, name})), {});
        for (std::size_t k = 1; k <= languages_.size(); ++k) {
          const CarTexts& variant = CarVariant(car, k);
          std::string group_name = Cut(GroupName(GroupVariant(*node.group, k), article));
          Add(node.id, languages_[k - 1].store_lang_id, group_name,
              Link(Joined({brand, variant.model, variant.engine_type, group_name})), {});
        }
        break;
      }
    }
  }

 private:
  void Add(std::int64_t id, int language, std::string_view name, std::string_view link,
           std::string_view description) {
    writer.AddRow(row.Clear()
                      .Integer(id)
                      .Integer(shop)
                      .Integer(language)
                      .Text(name)
                      .Quoted(link)
                      .Text(description)
                      .View());
  }

  static std::string Cut(std::string_view name) { return std::string(FirstCharacters(name, kNameLength)); }

  const std::string& GroupName(const TradeGroupNames& names, bool article) const {
    if (article) return names.name;
    return options_.by_assembly ? names.assembly : names.short_name;
  }
  static const TradeGroupNames& GroupVariant(const TradeGroup& group, std::size_t k) {
    static const TradeGroupNames kNone;
    return k < group.languages.size() ? group.languages[k] : kNone;
  }
  static const CarTexts& CarVariant(const Car& car, std::size_t k) {
    static const CarTexts kNone;
    return k < car.languages.size() ? car.languages[k] : kNone;
  }
  const std::string& Brand(const Car& car) const {
    static const std::string kNone;
    auto make = makes_.find(car.id_manufacturer);
    return make == makes_.end() ? kNone : make->second;
  }

  const TreeOptions& options_;
  TextTemplates texts_;
  bool upper_case_brand_;
  std::unordered_map<std::int64_t, std::string> makes_;
  std::vector<ExportLanguage> languages_;
};

std::int64_t MaxValue(platform::StoreConnection& store, const std::string& sql) {
  platform::StoreCursor cursor = store.Query(sql);
  return cursor.AtEnd() || cursor.IsNull(0) ? 0 : cursor.Int64(0);
}

void WriteCategoryTable(ExportRun& run, const StoreColumns& columns, const TreeOptions& options,
                        const TopCategories& top) {
  run.log_line(progress::TableLine(kCategory));
  CategoryVisitor visitor(run, columns);
  if (top.fixed) {
    visitor.Add(1, 0, false);
    visitor.Add(2, 1, true);
    if (options.vehicle_tree) visitor.Add(3, 2, false);
    if (run.session.options.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS))
      visitor.Add(4, 2, false);
  } else {
    if (top.home_new) visitor.Add(top.home, 1, true);
    if (top.vehicle_new && top.vehicle != 0) visitor.Add(top.vehicle, top.home, false);
    if (top.parts_new && top.parts != 0) visitor.Add(top.parts, top.home, false);
  }
  WalkTree(run, options, top, visitor);
  visitor.writer.Finish();
}

void WriteGroupTable(ExportRun& run, const StoreColumns& columns, const TreeOptions& options,
                     const TopCategories& top) {
  run.log_line(progress::TableLine(kCategoryGroup));
  GroupVisitor visitor(run, columns);
  if (top.fixed) {
    // Root is shown to no group (0); Home to every group including visitors (0 .. 3).
    std::string rows;
    for (auto [id, group] :
         {std::pair{1, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}, {4, 1}, {4, 2}, {4, 3}})
      rows += (rows.empty() ? "" : ",") + visitor.Row(id, group);
    visitor.WriteStatement(rows);
  } else {
    std::string rows;
    auto add = [&](std::int64_t id, int group) {
      rows += (rows.empty() ? "" : ",") + visitor.Row(id, group);
    };
    if (top.home_new) {
      for (int group : {0, 1, 2, 3}) add(top.home, group);
    }
    if (top.vehicle_new && top.vehicle != 0) {
      for (int group : kGroups) add(top.vehicle, group);
    }
    if (top.parts_new && top.parts != 0) {
      for (int group : kGroups) add(top.parts, group);
    }
    if (!rows.empty()) visitor.WriteStatement(rows);
  }
  for (int group : kGroups) {
    visitor.group = group;
    WalkTree(run, options, top, visitor);
  }
  visitor.writer.Finish();
}

void WriteLangTable(ExportRun& run, const StoreColumns& columns, const TreeOptions& options,
                    const TopCategories& top) {
  run.log_line(progress::TableLine(kCategoryLang));
  LangVisitor visitor(run, columns, options);
  const Options& o = run.session.options;
  const std::string vehicle_name = o.Text(OptionId::PreparationData_CatNameVehicle);
  const std::string parts_name = o.Text(OptionId::PreparationData_CatNameParts);
  auto group_row = [&](std::int64_t id, const std::string& name, bool repeat) {
    visitor.AddSame(id, FirstCharacters(name, kNameLength), Link(name), repeat);
  };
  if (top.fixed) {
    // Language rows of the top belong to "Clean store" runs; an Addition run writes the main language.
    const bool repeat = run.params.clean_store;
    visitor.AddSame(1, "Root", "root", repeat);
    visitor.AddSame(2, "Home", "home", repeat);
    if (options.vehicle_tree) group_row(3, vehicle_name, repeat);
    if (o.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS)) group_row(4, parts_name, repeat);
  } else {
    if (top.home_new) visitor.AddSame(top.home, "Home", "home", false);
    if (top.vehicle_new && top.vehicle != 0) group_row(top.vehicle, vehicle_name, false);
    if (top.parts_new && top.parts != 0) group_row(top.parts, parts_name, false);
  }
  WalkTree(run, options, top, visitor);
  visitor.writer.Finish();
}

void WriteShopTable(ExportRun& run, const StoreColumns& columns, const TreeOptions& options,
                    const TopCategories& top) {
  run.log_line(progress::TableLine(kCategoryShop));
  ShopVisitor visitor(run, columns);
  if (top.fixed) {
    visitor.Add(1);
    visitor.Add(2);
    if (options.vehicle_tree) visitor.Add(3);
    if (run.session.options.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS)) visitor.Add(4);
  } else {
    if (top.home_new) visitor.Add(top.home);
    if (top.vehicle_new && top.vehicle != 0) visitor.Add(top.vehicle);
    if (top.parts_new && top.parts != 0) visitor.Add(top.parts);
  }
  WalkTree(run, options, top, visitor);
  visitor.writer.Finish();
}

}  // namespace

TopCategories DecideTopCategories(ExportRun& run) {
  TopCategories top;
  const std::int64_t highest = run.store_state.highest_category_id;
  if (run.params.clean_store || highest == 0) return top;

  const Options& o = run.session.options;
  platform::StoreConnection& store = run.session.store;
  const std::string& p = run.params.table_prefix;
  const std::string shop = std::to_string(run.session.store_defaults.default_shop_id);
  const std::string lang = std::to_string(run.session.store_defaults.default_lang_id);
  auto named = [&](OptionId name) {
    return MaxValue(store, "SELECT max(id_category) from " + p + "category_lang WHERE (name = '" +
                               EscapeSql(Trim(o.Text(name))) + "') and (id_shop = " + shop +
                               ") and (id_lang = " + lang + ") ");
  };

  top.fixed = false;
  std::int64_t next = highest + 1;
  top.home = MaxValue(store, "SELECT max(id_category) from " + p + "category WHERE is_root_category = 1");
  top.home_new = top.home == 0;
  if (top.home_new) top.home = next++;

  top.vehicle = named(OptionId::PreparationData_CatNameVehicle);
  top.vehicle_new = top.vehicle == 0;
  if (top.vehicle_new)
    top.vehicle = o.Boolean(OptionId::PreparationData_CreateCatTreeForVEHICLE) ? next++ : 0;

  top.parts = named(OptionId::PreparationData_CatNameParts);
  top.parts_new = top.parts == 0;
  if (top.parts_new) top.parts = o.Boolean(OptionId::PreparationData_CreateCatTreeForPARTS) ? next++ : 0;
  return top;
}

void WriteCategoryTree(ExportRun& run, const StoreColumns& columns) {
  if (!run.params.ScopeHasCategories()) return;
  run.tables->trade_groups.Sort();
  run.tables->cars.Sort();
  run.tables->manufacturers.Sort();

  run.log_timed(std::string(progress::kCategoriesStart));
  const TopCategories top = DecideTopCategories(run);
  const TreeOptions options = ReadTreeOptions(run);
  WriteCategoryTable(run, columns, options, top);
  WriteGroupTable(run, columns, options, top);
  WriteLangTable(run, columns, options, top);
  WriteShopTable(run, columns, options, top);
}

void LogCategoriesDone(ExportRun& run) {
  if (!run.params.ScopeHasCategories()) return;
  run.log_timed(std::string(progress::kCategoriesDone));
  run.log_line(std::string(progress::kStageEnd));
}

}  // namespace quarvel::exporting
