#include "platform/catalogue/catalogue_connection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/catalogue_fixture.h"

namespace quarvel::platform {
namespace {

using test::CatalogueFixture;

class CatalogueConnectionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fixture_ = std::make_unique<CatalogueFixture>(); }
  static void TearDownTestSuite() { fixture_.reset(); }

  void SetUp() override {
    const auto& s = fixture_->settings();
    connection_.Connect(s.driver, s.database, s.login, s.password);
  }

  std::vector<std::string> Column(const std::string& sql, int column = 0) {
    std::vector<std::string> values;
    for (auto cursor = connection_.Query(sql); !cursor.AtEnd(); cursor.Next()) {
      values.push_back(cursor.Text(column));
    }
    return values;
  }

  static std::unique_ptr<CatalogueFixture> fixture_;
  CatalogueConnection connection_;
};

std::unique_ptr<CatalogueFixture> CatalogueConnectionTest::fixture_;

TEST_F(CatalogueConnectionTest, DetectsTheSqliteBackend) {
  EXPECT_TRUE(connection_.IsOpen());
  EXPECT_EQ(connection_.dialect(), CatalogueDialect::kSqlite);
  EXPECT_EQ(connection_.dbms_name(), "SQLite");
}

TEST_F(CatalogueConnectionTest, ReadsColumnsByNameInAnyCaseAndByPosition) {
  auto cursor = connection_.Query(
      "SELECT CAST(SUP_ID AS VARCHAR(*)) AS SupId, SUP_BRAND, SUP_SUPPLIER_NR, NULL AS Missing\r"
      "FROM TOF_SUPPLIERS WHERE SUP_ID = 100");
  ASSERT_FALSE(cursor.AtEnd());
  EXPECT_EQ(cursor.ColumnCount(), 4);
  EXPECT_EQ(cursor.Text("SUPID"), "100");
  EXPECT_EQ(cursor.Integer("supid"), 100);
  EXPECT_EQ(cursor.Text(1), "MANN-FILTER");
  EXPECT_EQ(cursor.Integer("Sup_Supplier_Nr"), 4);
  EXPECT_TRUE(cursor.IsNull("MISSING"));
  EXPECT_FALSE(cursor.IsNull(0));
  EXPECT_EQ(cursor.Text("Missing"), "");
  EXPECT_EQ(cursor.Integer("Missing"), 0);
  EXPECT_THROW(cursor.Integer("SUP_BRAND"), CatalogueError);
  EXPECT_THROW(cursor.Text("NO_SUCH_COLUMN"), CatalogueError);
  EXPECT_THROW(cursor.Text(4), CatalogueError);
  cursor.Next();
  EXPECT_TRUE(cursor.AtEnd());
  cursor.Next();  // staying at the end is harmless
  EXPECT_TRUE(cursor.AtEnd());
}

TEST_F(CatalogueConnectionTest, EmptyResultStartsAtEnd) {
  auto cursor = connection_.Query("SELECT SUP_ID FROM TOF_SUPPLIERS WHERE SUP_ID < 0");
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_EQ(cursor.ColumnCount(), 1);
}

TEST_F(CatalogueConnectionTest, TextsArriveIntactAsUtf8) {
  EXPECT_EQ(Column("SELECT TEX_TEXT FROM TOF_DES_TEXTS WHERE TEX_ID IN (35, 14, 51, 52, 53) ORDER BY TEX_ID"),
            (std::vector<std::string>{"Österreich", "Масляный фильтр", "Pad set, O'Brien type",
                                      "Path C:\\parts\\", "Back\\'slash quote"}));
  EXPECT_EQ(Column("SELECT MFA_BRAND FROM TOF_MANUFACTURERS WHERE MFA_ID = 100"),
            (std::vector<std::string>{"CITROËN"}));
}

TEST_F(CatalogueConnectionTest, TextLongerThanOneReadBufferArrivesWhole) {
  CatalogueFixture fixture(
      "INSERT INTO TOF_DES_TEXTS (TEX_ID, TEX_TEXT) VALUES (9999, substr(replace(hex(zeroblob(30000)),"
      " '00', 'Жx'), 1, 45001));");
  CatalogueConnection connection;
  connection.Connect(fixture.settings().driver, fixture.settings().database, "", "");
  auto cursor = connection.Query("SELECT TEX_TEXT FROM TOF_DES_TEXTS WHERE TEX_ID = 9999");
  ASSERT_FALSE(cursor.AtEnd());
  std::string expected;  // substr counts characters: 22500 pairs and one more 'Ж' (two bytes each)
  for (int i = 0; i < 22500; ++i) expected += "Жx";
  expected += "Ж";
  EXPECT_EQ(cursor.Text(0).size(), expected.size());
  EXPECT_TRUE(cursor.Text(0) == expected);
}

TEST_F(CatalogueConnectionTest, CastIdsSortAsText) {
  EXPECT_EQ(Column("SELECT DISTINCT CAST(MFA_ID AS VARCHAR(*)) AS MFA_ID, MFA_BRAND FROM TOF_MANUFACTURERS\r"
                   "ORDER BY MFA_ID"),
            (std::vector<std::string>{"10", "100", "11", "9", "99"}));
}

TEST_F(CatalogueConnectionTest, SeveralCursorsAtOnce) {
  std::vector<std::string> pairs;
  for (auto makers = connection_.Query("SELECT MFA_ID FROM TOF_MANUFACTURERS ORDER BY MFA_ID");
       !makers.AtEnd(); makers.Next()) {
    auto models = connection_.Query(
        "SELECT CAST(MOD_ID AS VARCHAR(*)) AS MOD_ID FROM TOF_MODELS WHERE MOD_MFA_ID = " + makers.Text(0) +
        " ORDER BY MOD_ID");
    auto types = connection_.Query(
        "SELECT COUNT(*) FROM TOF_TYPES JOIN TOF_MODELS ON TYP_MOD_ID = MOD_ID"
        " WHERE MOD_MFA_ID = " +
        makers.Text(0));
    for (; !models.AtEnd(); models.Next())
      pairs.push_back(makers.Text(0) + ":" + models.Text(0) + "/" + types.Text(0));
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"9:9/2", "10:10/1", "99:11/1", "100:100/1"}));
}

TEST_F(CatalogueConnectionTest, BlobsArriveByteForByte) {
  std::string bytes;
  std::string hex;
  unsigned state = 12345;
  for (int i = 0; i < 50000; ++i) {
    state = state * 1103515245u + 12345u;
    const auto byte = static_cast<unsigned char>(i % 97 == 0 ? 0 : (state >> 16) & 0xFF);
    bytes += static_cast<char>(byte);
    static const char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  CatalogueFixture fixture("INSERT INTO TOF_GRA_DATA_1 (GRD_ID, GRD_GRAPHIC) VALUES (777, X'" + hex + "');");
  CatalogueConnection connection;
  connection.Connect(fixture.settings().driver, fixture.settings().database, "", "");
  auto big = connection.Query("SELECT  \r    GRD_GRAPHIC \rFROM TOF_GRA_DATA_1\rWHERE (GRD_ID = 777)");
  ASSERT_FALSE(big.AtEnd());
  EXPECT_EQ(big.Text(0).size(), bytes.size());
  EXPECT_TRUE(big.Text(0) == bytes);

  auto logo = connection.Query("SELECT SLO_LOGO FROM TOF_SUPPLIER_LOGOS WHERE SLO_SUP_ID = 9");
  ASSERT_FALSE(logo.AtEnd());
  EXPECT_EQ(logo.Text(0), std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x00\x00\x00\xFF\xD9", 17));
}

TEST_F(CatalogueConnectionTest, FailedQueryReportsTheBackendErrorAndTheSqlAsSent) {
  try {
    connection_.Query("SELECT CAST(X AS VARCHAR(*)) FROM NO_SUCH_TABLE WHERE C SUBRANGE(1 CAST INTEGER) =1");
    FAIL() << "no error";
  } catch (const CatalogueError& error) {
    EXPECT_EQ(error.kind().rfind("ODBC error [", 0), 0u) << error.kind();
    EXPECT_NE(error.message().find("no such table"), std::string::npos) << error.message();
    EXPECT_NE(error.message().find("SELECT CAST(X AS TEXT) FROM NO_SUCH_TABLE WHERE INSTR(C, ',1,') > 0"),
              std::string::npos)
        << error.message();
  }
  // The connection stays usable after a failed query.
  EXPECT_EQ(Column("SELECT COUNT(*) FROM TOF_LANGUAGES"), (std::vector<std::string>{"3"}));
}

TEST_F(CatalogueConnectionTest, CatalogueIsReadOnly) {
  EXPECT_THROW(connection_.Query("DELETE FROM TOF_LANGUAGES"), CatalogueError);
  EXPECT_EQ(Column("SELECT COUNT(*) FROM TOF_LANGUAGES"), (std::vector<std::string>{"3"}));
}

TEST_F(CatalogueConnectionTest, CloseWhileACursorIsOpenIsSafe) {
  auto cursor = connection_.Query("SELECT LNG_ID FROM TOF_LANGUAGES ORDER BY LNG_ID");
  connection_.Close();
  EXPECT_FALSE(connection_.IsOpen());
  EXPECT_THROW(connection_.Query("SELECT 1"), CatalogueError);
  std::vector<std::string> ids;
  for (; !cursor.AtEnd(); cursor.Next()) ids.push_back(cursor.Text(0));
  EXPECT_EQ(ids, (std::vector<std::string>{"1", "4", "16"}));
}

TEST_F(CatalogueConnectionTest, ReconnectingReplacesTheConnection) {
  const auto& s = fixture_->settings();
  connection_.Connect(s.driver, s.database, s.login, s.password);
  EXPECT_EQ(Column("SELECT COUNT(*) FROM TOF_COUNTRIES"), (std::vector<std::string>{"6"}));
}

// Each country field lists its valid country ids between commas.
TEST(CatalogueCountryFilterTest, SubrangeMatchesWholeIdsOnly) {
  CatalogueFixture fixture(
      "CREATE TABLE CTM_CASES (ID INTEGER, CTM TEXT);"
      "INSERT INTO CTM_CASES VALUES (1, ',250,'), (2, ',1,250,'), (3, ',1,'), (4, ','), (5, ',2500,'),"
      " (6, ',25,'), (7, ',11,'), (8, NULL);",
      CatalogueFixture::Contents::kSchemaOnly);
  CatalogueConnection connection;
  connection.Connect(fixture.settings().driver, fixture.settings().database, "", "");
  auto ids = [&](const std::string& condition) {
    std::string found;
    for (auto c = connection.Query("SELECT ID FROM CTM_CASES WHERE " + condition + " ORDER BY ID");
         !c.AtEnd(); c.Next()) {
      found += c.Text(0);
    }
    return found;
  };
  EXPECT_EQ(ids("(CTM SUBRANGE(250 CAST INTEGER) =1)"), "12");
  EXPECT_EQ(ids("(CTM SUBRANGE(1 CAST INTEGER) =1)"), "23");
  EXPECT_EQ(ids("(CTM SUBRANGE(250 CAST INTEGER) =0)"), "34567");
  EXPECT_EQ(ids("(CTM_CASES.CTM SUBRANGE(1 CAST INTEGER) = 0)"), "14567");
  EXPECT_EQ(ids("(CTM SUBRANGE(25 CAST INTEGER) =1)"), "6");
}

TEST(CatalogueConnectFailureTest, BadDriverSettingsFailQuicklyWithoutPrompting) {
  test::UseEmptyOdbcConfiguration();
  const std::string driver = test::SqliteOdbcDriverPath().string();
  struct Case {
    std::string driver;
    std::string database;
  };
  const Case cases[] = {
      {"", "x"},
      {"   ", ""},
      {"/nonexistent/libnothing.so", "x"},
      {"No Such Driver", "x"},
      {"{No Such Driver}", "x"},
      {"DSN=NoSuchSource", ""},
      {driver, "file:/nonexistent/folder/catalogue.sqlite?mode=ro"},
  };
  for (const Case& c : cases) {
    CatalogueConnection connection;
    const auto start = std::chrono::steady_clock::now();
    try {
      connection.Connect(c.driver, c.database, "user", "password");
      ADD_FAILURE() << "connected with driver '" << c.driver << "'";
    } catch (const CatalogueError& error) {
      EXPECT_FALSE(error.kind().empty());
      EXPECT_FALSE(error.message().empty());
    }
    EXPECT_FALSE(connection.IsOpen()) << c.driver;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.driver;
  }
}

}  // namespace
}  // namespace quarvel::platform
