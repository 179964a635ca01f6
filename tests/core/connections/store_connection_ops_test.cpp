#include "core/store_connection_ops.h"

#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

using Id = OptionId;

class StoreConnectionOpsTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    test::StoreFixture::SetUp();
    if (IsSkipped()) return;
    session_.settings_file = folder_ / "Quarvel.ini";
    test::SetStoreOptions(session_.options, params());
  }
  bool LogHas(const std::string& line) const {
    return std::find(session_.store_log.begin(), session_.store_log.end(), line) != session_.store_log.end();
  }

  test::TempFolder folder_;
  Session session_;
  test::ScriptedUi ui_;
};

TEST_F(StoreConnectionOpsTest, GoodStoreReadsDefaultsAndSavesTheConnection) {
  TestStoreConnection(session_, ui_);
  ASSERT_TRUE(session_.store_state.connected) << session_.store_state.status;
  const StoreDefaults& d = session_.store_defaults;
  EXPECT_EQ(d.default_shop_id, 1);
  EXPECT_EQ(d.default_lang_id, 1);
  EXPECT_EQ(d.default_currency_id, 1);
  EXPECT_EQ(d.image_type, "jpg");

  EXPECT_EQ(session_.store_log.front(), "CHECKING AVAILABILITY OF TABLES");
  EXPECT_TRUE(LogHas("Table [ps_category] is Ok. 2 rows.")) << session_.store_log[2];
  EXPECT_TRUE(LogHas("PS_SHOP_DEFAULT = 1"));
  EXPECT_TRUE(LogHas("IMG_type = jpg"));
  std::string status = session_.store_state.status;
  EXPECT_EQ(status.rfind("Setting for PrestaShop : ID_shop = 1 [", 0), 0u) << status;
  EXPECT_NE(status.find("] | ID_lang = 1 ["), std::string::npos) << status;
  EXPECT_NE(status.find("] | ID_currency = 1 ["), std::string::npos) << status;
  EXPECT_TRUE(status.ends_with("] | IMG_type = jpg")) << status;
  EXPECT_TRUE(ui_.errors.empty());

  IniFile file = IniFile::Load(folder_ / "Quarvel.ini");
  EXPECT_EQ(file.Get("ConToPresta", "Database"), database());

  OpenStoreLog(session_, ui_);
  ASSERT_EQ(ui_.opened_files.size(), 1u);
  std::string log = test::ReadFileBytes(folder_ / kStoreLogFileName);
  EXPECT_EQ(log.rfind("\xEF\xBB\xBF"
                      "CHECKING AVAILABILITY OF TABLES\r\n  \r\n",
                      0),
            0u);
}

TEST_F(StoreConnectionOpsTest, PrefixTypoLogsEveryTableAndClosesTheConnection) {
  session_.options.SetText(Id::ConToPresta_Prefix, "pz_");
  TestStoreConnection(session_, ui_);
  EXPECT_FALSE(session_.store.IsOpen());
  EXPECT_FALSE(session_.store_state.connected);
  EXPECT_EQ(
      session_.store_state.status,
      "Setting for PrestaShop : errors that should be corrected are specified in log-file (on page \"Setting "
      "connect to PrestaShop\")");
  int error_blocks = 0;
  for (const std::string& line : session_.store_log)
    if (line.rfind(std::string(24, '-') + "\r", 0) == 0) ++error_blocks;
  EXPECT_EQ(error_blocks, 10);
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(StoreConnectionOpsTest, MissingCurrencyDefaultShowsIdZeroWithEmptyName) {
  store().Execute("DELETE FROM ps_configuration WHERE name = 'PS_CURRENCY_DEFAULT'");
  TestStoreConnection(session_, ui_);
  ASSERT_TRUE(session_.store.IsOpen());
  EXPECT_EQ(session_.store_defaults.default_currency_id, 0);
  EXPECT_NE(session_.store_state.status.find("| ID_currency = 0 [] | "), std::string::npos)
      << session_.store_state.status;
}

TEST_F(StoreConnectionOpsTest, BadPortIsResetAndUnreachableStoreReportsTheError) {
  session_.options.SetText(Id::ConToPresta_Port, "33o6");
  session_.options.SetText(Id::ConToPresta_Server, "127.0.0.1");
  TestStoreConnection(session_, ui_);
  EXPECT_EQ(session_.options.Text(Id::ConToPresta_Port), "3306");

  session_.options.SetText(Id::ConToPresta_Port, std::to_string(params().port));
  session_.options.SetText(Id::ConToPresta_Pass, "wrong password");
  TestStoreConnection(session_, ui_);
  EXPECT_FALSE(session_.store_state.connected);
  EXPECT_EQ(session_.store_state.status.rfind(
                "Setting for PrestaShop : Error connecting to PrestaShop [MySQL error ", 0),
            0u)
      << session_.store_state.status;
  EXPECT_TRUE(session_.store_log.empty());
}

}  // namespace
}  // namespace quarvel
