#include "upload/clean_installation.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "core/text.h"

namespace quarvel {
namespace {

using platform::StoreError;

// Statements of several lines are sent, and logged, with the lines joined by CR LF.
std::string JoinLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

struct OwnTable {
  std::string_view name;
  std::string_view columns;
};

// This system's tables, in the order they are created.
constexpr OwnTable kOwnTables[] = {
    {"LinkManufacturersPrestaWithTecDoc",
     "(`id_manufacturer` int(10) NOT NULL, `bra_id` int(10) NOT NULL, PRIMARY KEY (`id_manufacturer`), KEY "
     "`sup_id` (`bra_id`));"},
    {"image_from_tarlund",
     "(`id_image` int(10) NOT NULL, `sup_id` int(10) NOT NULL, `art_id` int(10) NOT NULL, `prefixs` "
     "varchar(3) DEFAULT NULL, `ext` varchar(6) DEFAULT NULL, PRIMARY KEY (`id_image`), KEY `art_id` "
     "(`art_id`));"},
    {"LinkTypPrestaWithTecDoc",
     "(`id_category` int(10) NOT NULL, `typ_id` int(10) NOT NULL, PRIMARY KEY (`id_category`), KEY `typ_id` "
     "(`typ_id`));"},
    {"LinkArtPrestaWithTecDoc",
     "(`id_product` int(10) NOT NULL, `art_id` int(10) NOT NULL, PRIMARY KEY (`id_product`), KEY `art_id` "
     "(`art_id`));"},
    {"LinkSuppliersPrestaWithTecDoc",
     "(`id_supplier` int(10) NOT NULL, `sup_id` int(10) NOT NULL, PRIMARY KEY (`id_supplier`), KEY `sup_id` "
     "(`sup_id`));"},
    {"TermOfUseFromTecDoc",
     "(`id_category` int(10) NOT NULL, `id_product` int(10) NOT NULL, `id_lang` int(10) NOT NULL, "
     "`id_feature` int(10) DEFAULT '0', `value` varchar(255) DEFAULT NULL, KEY `idcat_idprod` "
     "(`id_category`, `id_product`), KEY `id_product` (`id_product`), KEY `id_feature` (`id_feature`));"},
};

// Failures after which the steps cannot go on: the connection is gone, or was lost and the fate
// of the statement is unknown.
bool Escapes(const StoreError& error) {
  return error.connection_lost() || error.kind() == platform::kStoreUsageError;
}

// The column names of a " - "-joined key-column text, sorted: the server returns the rows of
// several keys in the order it keeps the keys, which changes when a key is made again.
std::vector<std::string> SortedNames(std::string_view text) {
  std::vector<std::string> names;
  constexpr std::string_view kSeparator = " - ";
  while (!text.empty()) {
    std::size_t at = text.find(kSeparator);
    names.emplace_back(text.substr(0, at));
    text = at == std::string_view::npos ? std::string_view() : text.substr(at + kSeparator.size());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Installation {
 public:
  Installation(platform::StoreConnection& store, const std::string& prefix, const std::string& database,
               std::vector<std::string>& log, Ui& ui)
      : store_(store), prefix_(prefix), database_(database), log_(log), ui_(ui) {}

  int failed() const { return failed_; }

  void CreateOwnTables() {
    for (const auto& table : kOwnTables) {
      Execute("CREATE TABLE IF NOT EXISTS `" + prefix_ + std::string(table.name) + "` " +
              std::string(table.columns));
    }
  }

  // A second run finds the column and the index in place: they are left as they are, rather than
  // the statement failing on them.
  void AddTagManufacturer() {
    std::string table = prefix_ + "tag";
    if (Exists("SELECT COUNT(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = '" +
               EscapeSql(database_) + "' AND TABLE_NAME = '" + EscapeSql(table) +
               "' AND COLUMN_NAME = 'id_manufacturer'")) {
      log_.push_back("Field \"id_manufacturer\" is already in table \"" + table + "\" ... OK");
      return;
    }
    if (Execute("alter table `" + table + "` add `id_manufacturer` int(10) default null;"))
      log_.push_back("Was added new field \"id_manufacturer\" to table \"" + table + "\" ... OK");
  }

  void AddProductLangIndex() {
    std::string table = prefix_ + "product_lang";
    if (Exists("SELECT COUNT(*) FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = '" +
               EscapeSql(database_) + "' AND TABLE_NAME = '" + EscapeSql(table) +
               "' AND INDEX_NAME = 'link_rewrite'")) {
      log_.push_back("INDEX \"link_rewrite\" is already in table \"" + table + "\" ... OK");
      return;
    }
    if (Execute("ALTER TABLE `" + table + "` ADD INDEX `link_rewrite` (`link_rewrite` ASC);"))
      log_.push_back("Was added new INDEX \"link_rewrite\" to table \"" + table + "\" ... OK");
  }

  void SetPrimaryKey(const std::string& bare_name, std::string_view expected, const std::string& key_line) {
    auto columns = KeyColumns("PRIMARY KEY", bare_name);
    if (!columns || *columns == expected) return;
    Wait("Wait, changing the index structure of the table \"" + bare_name + "\" ...");
    if (Execute(JoinLines({"ALTER TABLE " + prefix_ + bare_name, "DROP PRIMARY KEY,", key_line})))
      log_.push_back("Was changed structure PRYMARY KEY to table \"" + prefix_ + bare_name + "\" ... OK");
  }

  void DropImageProductCover() {
    auto columns = KeyColumns("UNIQUE", "image");
    if (!columns) return;
    if (SortedNames(*columns) != SortedNames("id_product - cover - id_image - id_product - cover")) return;
    Wait("Wait, deleting UNIQUE INDEX \"id_product_cover\" to table \"image\" ...");
    if (Execute(JoinLines({"ALTER TABLE " + prefix_ + "image", "DROP INDEX `id_product_cover`;"})))
      log_.push_back("Was delete UNIQUE INDEX \"idx_product_cover\" to table \"" + prefix_ +
                     "image\" ... OK");
  }

  void ReplaceImageShopUniqueKeys() {
    auto columns = KeyColumns("UNIQUE", "image_shop");
    if (!columns || columns->empty()) return;
    Wait(
        "Wait, deleting all UNIQUE INDEX(s) to table \"image_shop\" and adding new INDEX \"id_product\" ...");
    if (Execute(JoinLines({"ALTER TABLE " + prefix_ + "image_shop", "DROP INDEX `id_product`,",
                           "ADD INDEX `id_product` (`id_product` ASC);"}))) {
      log_.push_back("Was delete all UNIQUE INDEX(s) and added new INDEX \"id_product\" to table \"" +
                     prefix_ + "image_shop\" ... OK");
    }
  }

  void Truncate(const CheckList& tables) {
    for (const auto& entry : tables.entries) {
      if (!entry.checked) continue;
      std::string table = prefix_ + entry.text;
      try {
        store_.Execute("TRUNCATE TABLE " + table + ";");
        log_.push_back("Truncate table [" + table + "] is ok.");
      } catch (const StoreError& error) {
        if (Escapes(error)) throw;
        ++failed_;
        log_.push_back("Truncate table [" + table + "] is error : [" + error.kind() + " : " +
                       error.message() + "]");
      }
    }
  }

 private:
  // Runs one statement; a failure is logged with the statement and the step ends.
  bool Execute(const std::string& sql) {
    try {
      store_.Execute(sql);
      return true;
    } catch (const StoreError& error) {
      if (Escapes(error)) throw;
      LogFailure(sql, error);
      return false;
    }
  }

  // The key columns of the table's constraints of that type joined by " - ", empty when there is
  // none; nothing when the query failed (logged like any statement).
  std::optional<std::string> KeyColumns(std::string_view type, const std::string& bare_name) {
    std::string sql = JoinLines(
        {"SELECT GROUP_CONCAT(k.column_name SEPARATOR ' - ') ", "FROM information_schema.table_constraints t",
         "   JOIN information_schema.key_column_usage k", "   USING(constraint_name,table_schema,table_name)",
         "WHERE t.constraint_type = '" + std::string(type) + "' ",
         "   AND t.table_schema = '" + EscapeSql(database_) + "' ",
         "   AND t.table_name = '" + EscapeSql(prefix_ + bare_name) + "';"});
    try {
      auto cursor = store_.Query(sql);
      return cursor.AtEnd() ? std::string() : Trim(cursor.Text(0));
    } catch (const StoreError& error) {
      if (Escapes(error)) throw;
      LogFailure(sql, error);
      return std::nullopt;
    }
  }

  // A presence check of our own; when it cannot be answered, the step runs its statement as usual.
  bool Exists(const std::string& sql) {
    try {
      return store_.Query(sql).Int64(0) > 0;
    } catch (const StoreError& error) {
      if (Escapes(error)) throw;
      return false;
    }
  }

  void LogFailure(const std::string& sql, const StoreError& error) {
    ++failed_;
    log_.push_back("For query \"" + sql + "\" was (Error : [" + error.kind() + " : " + error.message() +
                   "]) !");
  }

  void Wait(const std::string& text) {
    log_.push_back(text);
    ui_.Pump();
  }

  platform::StoreConnection& store_;
  const std::string& prefix_;
  const std::string& database_;
  std::vector<std::string>& log_;
  Ui& ui_;
  int failed_ = 0;
};

}  // namespace

CleanInstallationResult CleanInstallation(platform::StoreConnection& store, const std::string& prefix,
                                          const std::string& database, const CheckList& tables,
                                          std::vector<std::string>& log, Ui& ui) {
  CleanInstallationResult result;
  Installation installation(store, prefix, database, log, ui);
  try {
    installation.CreateOwnTables();
    installation.AddTagManufacturer();
    installation.AddProductLangIndex();
    installation.SetPrimaryKey("feature_product", "id_feature - id_product - id_feature_value",
                               "ADD PRIMARY KEY (`id_feature`, `id_product`, `id_feature_value`);");
    installation.SetPrimaryKey("tag", "id_tag - id_lang", "ADD PRIMARY KEY (`id_tag`, `id_lang`);");
    installation.DropImageProductCover();
    installation.ReplaceImageShopUniqueKeys();
    installation.Truncate(tables);
  } catch (const StoreError& error) {
    log.push_back(error.kind() + " : " + error.message());
    result.connection_failure = error;
  }
  result.failed_statements = installation.failed();
  return result;
}

}  // namespace quarvel
