// Reading what an "Addition to the existing data" run needs from the store.
#include <string>

#include "core/text.h"
#include "export/catalogue_reading.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

using platform::QueryMode;
using platform::StoreConnection;
using platform::StoreCursor;

// A single number of a MAX statement; 0 for NULL or no row.
std::int64_t MaxValue(StoreConnection& store, const std::string& sql) {
  StoreCursor cursor = store.Query(sql);
  return cursor.AtEnd() || cursor.IsNull(0) ? 0 : cursor.Int64(0);
}

// Reads a two-column id map (key column first); the last row of a key counts.
void ReadIdMap(StoreConnection& store, const std::string& sql,
               std::unordered_map<std::int64_t, std::int64_t>& map) {
  for (StoreCursor c = store.Query(sql, QueryMode::kStreaming); !c.AtEnd(); c.Next())
    map[c.Int64(0)] = c.Int64(1);
}

}  // namespace

std::int64_t InitialCategoryCounter(bool clean_store, const StoreState& state) {
  if (clean_store || state.highest_category_id == 0) return 4;
  return state.highest_category_id + (state.has_root_category ? 0 : 1) + (state.has_vehicle_root ? 0 : 1) +
         (state.has_parts_root ? 0 : 1);
}

void ReadStoreState(ExportRun& run) {
  StoreConnection& store = run.session.store;
  const std::string& p = run.session.TablePrefix();
  const std::string l = std::to_string(run.session.store_defaults.default_lang_id);
  const std::string s = std::to_string(run.session.store_defaults.default_shop_id);
  const Options& options = run.session.options;
  StoreState state;

  state.highest_category_id = MaxValue(store, "SELECT max(id_category) from " + p + "category ");
  if (state.highest_category_id != 0) {
    state.has_root_category =
        MaxValue(store, "SELECT max(id_category) from " + p + "category WHERE is_root_category = 1") != 0;
    auto root_named = [&](OptionId name) {
      return MaxValue(store, "SELECT max(id_category) from " + p + "category_lang WHERE (name = '" +
                                 EscapeSql(Trim(options.Text(name))) + "') and (id_shop = " + s +
                                 ") and (id_lang = " + l + ") ") != 0;
    };
    state.has_vehicle_root = root_named(OptionId::PreparationData_CatNameVehicle);
    state.has_parts_root = root_named(OptionId::PreparationData_CatNameParts);
  }
  state.highest_product_id = MaxValue(store, "SELECT max(id_product) from " + p + "product ");
  state.highest_feature_id = MaxValue(store, "SELECT max(id_feature) from " + p + "feature ");
  state.highest_feature_value_id =
      MaxValue(store, "SELECT max(id_feature_value) from " + p + "feature_value ");
  state.highest_manufacturer_id = MaxValue(store, "SELECT max(id_manufacturer) from " + p + "manufacturer ");
  state.highest_image_id = MaxValue(store, "SELECT max(id_image) from " + p + "image ");
  state.highest_tag_id = MaxValue(store, "SELECT max(id_tag) from " + p + "tag ");

  for (StoreCursor c = store.Query("SELECT id_feature, name from " + p + "feature_lang WHERE id_lang = " + l);
       !c.AtEnd(); c.Next())
    state.features.emplace_back(c.Int64(0), c.Text(1));

  ReadIdMap(store, "SELECT DISTINCT art_id, id_product from " + p + "LinkArtPrestaWithTecDoc ",
            state.linked_articles);
  ReadIdMap(store, "SELECT DISTINCT bra_id, id_manufacturer from " + p + "LinkManufacturersPrestaWithTecDoc ",
            state.linked_brands);

  std::string trade_sql = JoinSqlLines(
      {"SELECT DISTINCT  ", "   C1.id_category as id1,", "   C2.id_category as id2,", "   cl1.name as n1,",
       "   cl2.name as n2 ", "FROM " + p + "category AS C1",
       "   JOIN " + p + "category AS C2 ON (C2.id_parent = C1.id_category)",
       "   LEFT JOIN " + p + "category_lang AS cl1 ON (cl1.id_category = C1.id_category and cl1.id_lang = " +
           l + " and cl1.id_shop = " + s + ")",
       "   LEFT JOIN " + p + "category_lang AS cl2 ON (cl2.id_category = C2.id_category and cl2.id_lang = " +
           l + " and cl2.id_shop = " + s + ")",
       "WHERE C1.id_parent = 4"});
  for (StoreCursor c = store.Query(trade_sql); !c.AtEnd(); c.Next()) {
    StoreTradeCategory pair;
    pair.id1 = c.Int64("id1");
    pair.id2 = c.Int64("id2");
    pair.name1 = FirstCharacters(c.Text("n1"), 130);
    pair.name2 = FirstCharacters(c.Text("n2"), 130);
    state.trade_categories.push_back(std::move(pair));
  }

  // The linked types with the model and brand categories above them, so new types of a known
  // model or brand go under the store's existing categories.
  std::string types_sql =
      JoinSqlLines({"SELECT DISTINCT l.typ_id, l.id_category, c.id_parent AS id_model_category, "
                    "m.id_parent AS id_brand_category",
                    "FROM " + p + "LinkTypPrestaWithTecDoc AS l",
                    "   LEFT JOIN " + p + "category AS c ON (c.id_category = l.id_category)",
                    "   LEFT JOIN " + p + "category AS m ON (m.id_category = c.id_parent)"});
  for (StoreCursor c = store.Query(types_sql, QueryMode::kStreaming); !c.AtEnd(); c.Next()) {
    std::int64_t typ_id = c.Int64(0);
    state.linked_types[typ_id] = c.Int64(1);
    state.linked_type_parents[typ_id] = {c.Int64(2), c.Int64(3)};
  }

  run.store_state = std::move(state);
  run.next_category = InitialCategoryCounter(false, run.store_state);
}

}  // namespace quarvel::exporting
