#pragma once

namespace quarvel::test {

// A store that already holds an export: the vehicle and trade-group groups (3, 4), two trade
// categories, a linked AUDI type (9) under its model and brand categories, a linked article (10, as
// product 7, in the oil-filter category and in the store's largest category), brand and two features. An "Addition" run adds the types not yet linked below the store's own groups.
inline constexpr const char* kExistingStore = R"sql(
INSERT INTO ps_category (id_category, id_parent, id_shop_default, level_depth, nleft, nright, active, date_add, date_upd, position, is_root_category) VALUES
 (3, 2, 1, 2, 0, 0, 1, NOW(), NOW(), 0, 0), (4, 2, 1, 2, 0, 0, 1, NOW(), NOW(), 0, 0),
 (20, 4, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (21, 20, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (22, 4, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (23, 22, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (30, 3, 1, 3, 0, 0, 1, NOW(), NOW(), 0, 0), (31, 30, 1, 4, 0, 0, 1, NOW(), NOW(), 0, 0),
 (32, 31, 1, 5, 0, 0, 1, NOW(), NOW(), 0, 0);
INSERT INTO ps_category_lang (id_category, id_shop, id_lang, name, description, link_rewrite, meta_title, meta_keywords, meta_description) VALUES
 (3, 1, 1, 'CATALOG CARS', '', 'c', '', '', ''), (4, 1, 1, 'TRADE GROUPS', '', 't', '', '', ''),
 (20, 1, 1, 'Engine', '', 'e', '', '', ''), (21, 1, 1, 'Oil Filter', '', 'o', '', '', ''),
 (22, 1, 1, 'Filter', '', 'f', '', '', ''), (23, 1, 1, 'Air Filter', '', 'a', '', '', ''),
 (30, 1, 1, 'AUDI', '', 'audi', '', '', ''), (31, 1, 1, 'A4', '', 'a4', '', '', ''),
 (32, 1, 1, '1.8 TFSI', '', 'tfsi', '', '', '');
INSERT INTO ps_LinkTypPrestaWithTecDoc (id_category, typ_id) VALUES (32, 9);
INSERT INTO ps_product (id_product) VALUES (6), (7);
INSERT INTO ps_category_product (id_category, id_product, position) VALUES (21, 7, 3), (32, 7, 0), (23, 6, 1);
INSERT INTO ps_LinkArtPrestaWithTecDoc (id_product, art_id) VALUES (7, 10);
INSERT INTO ps_LinkManufacturersPrestaWithTecDoc (id_manufacturer, bra_id) VALUES (3, 9);
INSERT INTO ps_feature (id_feature) VALUES (1), (2);
INSERT INTO ps_feature_lang (id_feature, id_lang, name) VALUES (1, 1, 'Height [mm]'), (2, 1, 'Thread Size');
)sql";

}  // namespace quarvel::test
