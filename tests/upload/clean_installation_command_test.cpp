#include "upload/clean_installation_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/tables_for_cleaning.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/statement_killer.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using namespace std::chrono_literals;

class CleanInstallationCommandTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    if (IsSkipped()) return;
    session.settings_file = folder / "quarvel.ini";
    const platform::StoreConnectionParams p = params();
    test::SetStoreOptions(session.options, p);
    session.store.Connect(p);
    // Only the category table is emptied.
    FillCleaningTables(session.lists.cleaning_tables, "[0]");
    store().Execute("DROP TABLE IF EXISTS ps_LinkManufacturersPrestaWithTecDoc");
  }

  long Count(const std::string& table) {
    return static_cast<long>(store().Query("SELECT COUNT(*) FROM " + table).Int64(0));
  }
  bool TableExists(const std::string& table) {
    return Count("information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = '" + table +
                 "'") > 0;
  }

  test::TempFolder folder;
  Session session;
  std::vector<std::string> log{"entry of an earlier upload"};
  test::ScriptedUi ui;
};

TEST_F(CleanInstallationCommandTest, NothingHappensWithoutAConnectionOrAYes) {
  const long categories = Count("ps_category");
  ASSERT_GT(categories, 0);

  ui.answers = {false};
  EXPECT_FALSE(RunCleanInstallation(session, log, ui));
  EXPECT_EQ(ui.questions, std::vector<std::string>{
                              "Clear the necessary tables of your store for the ability to upload data  ?"});

  session.store.Close();
  EXPECT_FALSE(RunCleanInstallation(session, log, ui));
  EXPECT_EQ(ui.errors, std::vector<std::string>{"Not connected to PrestaShop !"});
  EXPECT_EQ(ui.questions.size(), 1u);

  EXPECT_EQ(log, std::vector<std::string>{"entry of an earlier upload"});
  EXPECT_EQ(Count("ps_category"), categories);
  EXPECT_FALSE(TableExists("ps_LinkManufacturersPrestaWithTecDoc"));
}

TEST_F(CleanInstallationCommandTest, YesClearsTheLogHeadsItAndEmptiesTheCheckedTables) {
  const long products = Count("ps_product");
  ui.answers = {true};
  std::optional<CleanInstallationResult> result = RunCleanInstallation(session, log, ui);
  ASSERT_TRUE(result);
  EXPECT_FALSE(result->connection_failure);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(),
            "==== CLEANING THE NECESSARY TABLES OF YOUR STORE FOR THE ABILITY TO UPLOAD DATA ====");
  EXPECT_EQ(log.back(), "Truncate table [ps_category] is ok.");
  EXPECT_EQ(std::count(log.begin(), log.end(), "entry of an earlier upload"), 0);
  EXPECT_EQ(Count("ps_category"), 0);
  EXPECT_EQ(Count("ps_product"), products);
  EXPECT_TRUE(TableExists("ps_LinkManufacturersPrestaWithTecDoc"));
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(CleanInstallationCommandTest, ALostConnectionIsLoggedShownAndTheStoreTestedAgain) {
  // A transaction reading the table holds its metadata lock, so the truncate waits and is killed.
  platform::StoreConnection holder;
  holder.Connect(params());
  holder.Execute("START TRANSACTION");
  holder.Query("SELECT COUNT(*) FROM ps_category");
  const unsigned long before = session.store.ServerThreadId();
  int store_settings_shown = 0;
  ui.answers = {true};
  std::optional<CleanInstallationResult> result;
  {
    test::StatementKiller killer(params(), "TRUNCATE TABLE ps_category");
    result = RunCleanInstallation(session, log, ui, [&] { ++store_settings_shown; });
    ASSERT_TRUE(killer.Join());
  }
  holder.Execute("ROLLBACK");

  ASSERT_TRUE(result && result->connection_failure);
  const platform::StoreError& failure = *result->connection_failure;
  const std::string text = failure.kind() + " : " + failure.message();
  EXPECT_EQ(log.back(), text);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], "Can not connect to the database PrestaShop (Error : [" + text +
                              "]), may need to reconnect to the database PrestaShop !");
  EXPECT_EQ(store_settings_shown, 1);
  // Tested again: connected on a new connection, and the structure test filled its log.
  EXPECT_TRUE(session.store_state.connected);
  EXPECT_NE(session.store.ServerThreadId(), before);
  EXPECT_FALSE(session.store_log.empty());
  EXPECT_GT(Count("ps_category"), 0);
}

TEST(CleanInstallationTexts, InformationAndLink) {
  EXPECT_EQ(
      CleanInstallationInformation(),
      "To eliminate the occurrence of errors to importing data with the same ID products and ID categories "
      "you need to import the data into the clean tables (will be cleared only some of the tables related to "
      "the products and categories).");
  EXPECT_EQ(HostingHelpCaption(), "Required parameters hosting and desirable changes (need check and fix)");
}

}  // namespace
}  // namespace quarvel
