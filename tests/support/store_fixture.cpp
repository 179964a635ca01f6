#include "tests/support/store_fixture.h"

#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <stdexcept>

#include "tests/support/mariadb_test_server.h"

namespace quarvel::test {
namespace {

const char* TemplateName(StoreGeneration generation) {
  return generation == StoreGeneration::kPrestaShop9 ? "tmpl_ps9" : "tmpl_ps16";
}

// The statements that copy a template into database "@DB@": tables by CREATE TABLE ... LIKE (keys,
// charsets and engines as in the template), rows by INSERT ... SELECT, all in one round trip.
// About 0.15 s for the 238 tables of 1.6 with the server's data in memory.
std::string CloneScript(platform::StoreConnection& admin, StoreGeneration generation) {
  static std::mutex mutex;
  static std::map<StoreGeneration, std::string> scripts;
  std::lock_guard lock(mutex);
  auto found = scripts.find(generation);
  if (found != scripts.end()) return found->second;

  std::string source = TemplateName(generation);
  auto schema = admin.Query(
      "SELECT DEFAULT_CHARACTER_SET_NAME, DEFAULT_COLLATION_NAME FROM information_schema.SCHEMATA "
      "WHERE SCHEMA_NAME = '" +
      source + "'");
  if (schema.AtEnd()) throw std::runtime_error("The test server has no template database " + source);
  std::string script = "DROP DATABASE IF EXISTS `@DB@`;CREATE DATABASE `@DB@` CHARACTER SET " +
                       schema.Text(0) + " COLLATE " + schema.Text(1) + ";";
  auto tables = admin.Query("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = '" +
                            source + "' AND TABLE_TYPE = 'BASE TABLE' ORDER BY TABLE_NAME");
  std::string copies;
  for (; !tables.AtEnd(); tables.Next()) {
    std::string table = tables.Text(0);
    script += "CREATE TABLE `@DB@`.`" + table + "` LIKE `" + source + "`.`" + table + "`;";
    copies += "INSERT INTO `@DB@`.`" + table + "` SELECT * FROM `" + source + "`.`" + table + "`;";
  }
  script += copies;
  scripts.emplace(generation, script);
  return script;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string NewDatabaseName() {
  static std::atomic<int> counter{0};
  return "qt_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

}  // namespace

FreshStoreDatabase::FreshStoreDatabase(StoreGeneration generation) : name_(NewDatabaseName()) {
  platform::StoreConnection admin;
  admin.Connect(MariadbRootParams());
  admin.ExecuteMulti(ReplaceAll(CloneScript(admin, generation), "@DB@", name_));
}

FreshStoreDatabase::~FreshStoreDatabase() {
  try {
    platform::StoreConnection admin;
    admin.Connect(MariadbRootParams());
    admin.Execute("DROP DATABASE IF EXISTS `" + name_ + "`");
  } catch (const std::exception&) {
    // A database left behind goes with the server at the end of the run.
  }
}

platform::StoreConnectionParams FreshStoreDatabase::params() const { return MariadbRootParams(name_); }

void StoreFixture::SetUp() {
  if (!MariadbServerPort()) GTEST_SKIP() << NoMariadbServerMessage();
  database_ = std::make_unique<FreshStoreDatabase>(Generation());
  store_.Connect(database_->params());
}

void StoreFixture::TearDown() {
  store_.Close();
  database_.reset();
}

void SetStoreOptions(Options& options, const platform::StoreConnectionParams& params,
                     const std::string& prefix) {
  options.SetText(OptionId::ConToPresta_Server, params.host);
  options.SetText(OptionId::ConToPresta_Port, std::to_string(params.port));
  options.SetText(OptionId::ConToPresta_Database, params.database);
  options.SetText(OptionId::ConToPresta_User, params.user);
  options.SetText(OptionId::ConToPresta_Pass, params.password);
  options.SetText(OptionId::ConToPresta_Prefix, prefix);
}

}  // namespace quarvel::test
