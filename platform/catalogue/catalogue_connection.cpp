#include "platform/catalogue/catalogue_connection.h"

#include <cctype>
#include <utility>

#include "platform/catalogue/catalogue_connection_string.h"
#include "platform/catalogue/catalogue_sql_rewriter.h"
#include "platform/catalogue/odbc_link.h"

namespace quarvel::platform {
namespace {

bool ContainsNoCase(std::string_view text, std::string_view part) {
  for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < part.size() && same; ++k) {
      same = std::toupper(static_cast<unsigned char>(text[i + k])) ==
             std::toupper(static_cast<unsigned char>(part[k]));
    }
    if (same) return true;
  }
  return false;
}

// Runs a statement that returns nothing of interest on a link.
void Execute(odbc::Link& link, const std::string& sql) {
  SQLHSTMT statement = SQL_NULL_HSTMT;
  if (!odbc::Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, link.handle(), &statement))) {
    throw odbc::DiagnosticError(SQL_HANDLE_DBC, link.handle());
  }
  std::string text = sql;
  const SQLRETURN rc = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
  if (!odbc::Succeeded(rc) && rc != SQL_NO_DATA) {
    CatalogueError error = odbc::DiagnosticError(SQL_HANDLE_STMT, statement, "\nSQL: " + sql);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    throw error;
  }
  SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

}  // namespace

CatalogueConnection::CatalogueConnection() = default;

CatalogueConnection::~CatalogueConnection() { Close(); }

void CatalogueConnection::Close() {
  links_.clear();
  connection_string_.clear();
  one_statement_per_link_ = false;
  dialect_ = CatalogueDialect::kTransbase;
  dbms_name_.clear();
}

bool CatalogueConnection::IsDataSourceName(const std::string& name) const {
  SQLCHAR dsn[SQL_MAX_DSN_LENGTH + 1];
  SQLCHAR description[512];
  SQLSMALLINT dsn_length = 0, description_length = 0;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  while (odbc::Succeeded(SQLDataSources(env_->handle(), direction, dsn, sizeof dsn, &dsn_length, description,
                                        sizeof description, &description_length))) {
    direction = SQL_FETCH_NEXT;
    const std::string_view found(reinterpret_cast<const char*>(dsn));
    if (found.size() == name.size() && ContainsNoCase(found, name)) return true;
  }
  return false;
}

void CatalogueConnection::Connect(const std::string& driver, const std::string& database,
                                  const std::string& login, const std::string& password) {
  Close();
  if (!env_) env_ = std::make_shared<odbc::Environment>();
  auto [kind, name] = ClassifyDriverSetting(driver);
  if (name.empty()) {
    throw CatalogueError("ODBC error [IM002]", "no data source or driver is given");
  }
  if (kind == DriverKind::kDriverName && driver.find('{') == std::string::npos && IsDataSourceName(name)) {
    kind = DriverKind::kDataSource;
  }
  std::string connection_string = BuildCatalogueConnectionString(kind, name, database, login, password);
  auto link = std::make_shared<odbc::Link>(env_, connection_string, kLoginTimeoutSeconds);
  dbms_name_ = link->InfoText(SQL_DBMS_NAME);
  const CatalogueDialect dialect = DialectFromDbmsName(dbms_name_);

  if (dialect == CatalogueDialect::kSqlite && !ContainsNoCase(connection_string, "StepAPI=")) {
    // Reconnect in streaming mode: large results must not be buffered whole by the driver.
    connection_string += "StepAPI=1;";
    link = std::make_shared<odbc::Link>(env_, connection_string, kLoginTimeoutSeconds);
    one_statement_per_link_ = true;
  } else if (dialect == CatalogueDialect::kSqlite) {
    one_statement_per_link_ = true;
  } else if (dialect == CatalogueDialect::kMySql) {
    // Catalogue SQL writes literals the standard way, where a backslash is an ordinary character.
    Execute(*link,
            "SET SESSION sql_mode = IF(@@SESSION.sql_mode = '', 'NO_BACKSLASH_ESCAPES', "
            "CONCAT(@@SESSION.sql_mode, ',NO_BACKSLASH_ESCAPES'))");
  }
  dialect_ = dialect;
  connection_string_ = std::move(connection_string);
  links_.push_back(std::move(link));
}

std::shared_ptr<odbc::Link> CatalogueConnection::FreeLink() {
  if (!one_statement_per_link_) return links_.front();
  for (const auto& link : links_) {
    if (link->open_cursors == 0) return link;
  }
  links_.push_back(std::make_shared<odbc::Link>(env_, connection_string_, kLoginTimeoutSeconds));
  return links_.back();
}

CatalogueCursor CatalogueConnection::Query(std::string_view sql) {
  if (!IsOpen()) throw CatalogueError("Connection error", "the catalogue is not connected");
  std::string text = RewriteCatalogueSql(sql, dialect_);
  std::shared_ptr<odbc::Link> link = FreeLink();
  SQLHSTMT statement = SQL_NULL_HSTMT;
  if (!odbc::Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, link->handle(), &statement))) {
    throw odbc::DiagnosticError(SQL_HANDLE_DBC, link->handle(), "\nSQL: " + text);
  }
  std::string buffer = text;
  const SQLRETURN rc = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(buffer.data()),
                                     static_cast<SQLINTEGER>(buffer.size()));
  if (!odbc::Succeeded(rc) && rc != SQL_NO_DATA) {
    CatalogueError error = odbc::DiagnosticError(SQL_HANDLE_STMT, statement, "\nSQL: " + text);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    throw error;
  }
  return CatalogueCursor(std::move(link), statement, std::move(text));
}

}  // namespace quarvel::platform
