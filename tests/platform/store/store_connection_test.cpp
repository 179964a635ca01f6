#include "platform/store/store_connection.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "tests/support/mariadb_test_server.h"
#include "tests/support/store_fixture.h"

namespace quarvel::platform {
namespace {

using test::StoreFixture;

class StoreConnectionTest : public StoreFixture {};

// The server's own default sql_mode is strict and its default charset latin1: both must come from
// the connection.
TEST_F(StoreConnectionTest, SetsTheSessionAsPrestaShopDoes) {
  auto cursor = store().Query(
      "SELECT @@SESSION.sql_mode AS mode, @@character_set_connection AS conn, @@character_set_client AS "
      "client, "
      "@@character_set_results AS results, DATABASE() AS db");
  ASSERT_FALSE(cursor.AtEnd());
  EXPECT_EQ(cursor.Text("mode"), "");
  EXPECT_EQ(cursor.Text("conn"), "utf8mb4");
  EXPECT_EQ(cursor.Text("client"), "utf8mb4");
  EXPECT_EQ(cursor.Text("results"), "utf8mb4");
  EXPECT_EQ(cursor.Text("db"), database());
}

// Quotes, backslashes and Cyrillic survive the trip, also through the 3-byte utf8 tables of 1.6.
TEST_F(StoreConnectionTest, TextRoundTripsThroughUtf8AndUtf8mb4Tables) {
  const std::string value = "O'Neil \"quoted\" back\\slash Тормозной диск ø €";
  const std::string literal = "'O\\'Neil \\\"quoted\\\" back\\\\slash Тормозной диск ø €'";
  store().Execute("CREATE TABLE texts (id INT PRIMARY KEY, v VARCHAR(255)) CHARACTER SET utf8mb4");
  store().Execute("INSERT INTO texts VALUES (1, " + literal + ")");
  EXPECT_EQ(store().Execute("UPDATE ps_category_lang SET name = " + literal +
                            " WHERE id_category = 2 AND id_lang = 1"),
            1u);

  EXPECT_EQ(store().Query("SELECT v FROM texts WHERE id = 1").Text("v"), value);
  EXPECT_EQ(store().Query("SELECT name FROM ps_category_lang WHERE id_category = 2 AND id_lang = 1").Text(0),
            value);
  // Compared on the server too: the bytes arrived as these characters, not as mojibake.
  EXPECT_EQ(store().Query("SELECT CHAR_LENGTH(v) FROM texts").Int64(0), static_cast<std::int64_t>(45));
}

TEST_F(StoreConnectionTest, ExecuteReportsAffectedRowsAndServerErrors) {
  store().Execute("CREATE TABLE t (id INT PRIMARY KEY, v INT)");
  EXPECT_EQ(store().Execute("INSERT INTO t VALUES (1, 0), (2, 0), (3, 5)"), 3u);
  EXPECT_EQ(store().Execute("UPDATE t SET v = 5"), 2u);  // rows already at 5 are not counted as changed
  EXPECT_EQ(store().Execute("SELECT * FROM t"), 0u);     // rows of a result are read off and dropped
  EXPECT_EQ(store().Execute("DELETE FROM t WHERE id > 1"), 2u);

  try {
    store().Execute("SELECT * FROM no_such_table");
    FAIL() << "no error";
  } catch (const StoreError& error) {
    EXPECT_EQ(error.kind(), "MySQL error 1146");
    EXPECT_EQ(error.code(), 1146u);
    EXPECT_NE(error.message().find("no_such_table"), std::string::npos) << error.message();
    EXPECT_EQ(std::string(error.what()), error.kind() + " : " + error.message());
    EXPECT_FALSE(error.connection_lost());
  }
  EXPECT_TRUE(store().IsOpen());
  EXPECT_EQ(store().Query("SELECT COUNT(*) FROM t").Int64(0), 1);
}

// A single statement never carries a second one: only ExecuteMulti takes several.
TEST_F(StoreConnectionTest, SingleStatementsRefuseASecondStatement) {
  store().Execute("CREATE TABLE t (id INT)");
  EXPECT_THROW(store().Execute("INSERT INTO t VALUES (1); DROP TABLE t"), StoreError);
  EXPECT_THROW(store().Query("SELECT 1; DROP TABLE t"), StoreError);
  store().ExecuteMulti("INSERT INTO t VALUES (1); INSERT INTO t VALUES (2)");
  EXPECT_THROW(store().Execute("INSERT INTO t VALUES (3); DROP TABLE t"), StoreError);
  EXPECT_EQ(store().Query("SELECT COUNT(*) FROM t").Int64(0), 2);
}

TEST_F(StoreConnectionTest, ExecuteMultiRunsAllStatementsAndSumsAffectedRows) {
  auto affected = store().ExecuteMulti(
      "CREATE TABLE t (id INT PRIMARY KEY, v VARCHAR(20));\n"
      "INSERT INTO t VALUES (1, 'a;b'), (2, 'c');\n"
      "SELECT * FROM t;  -- rows of a SELECT in between are dropped\n"
      "UPDATE t SET v = 'x' WHERE id = 2;\n");
  EXPECT_EQ(affected, 3u);
  EXPECT_EQ(store().Query("SELECT v FROM t WHERE id = 1").Text(0), "a;b");
  EXPECT_EQ(store().Query("SELECT v FROM t WHERE id = 2").Text(0), "x");
}

TEST_F(StoreConnectionTest, ExecuteMultiStopsAtTheFailingStatementAndNamesIt) {
  store().Execute("CREATE TABLE t (id INT PRIMARY KEY)");
  struct Case {
    const char* text;
    int failing_index;
    const char* failing_statement;
    long long rows_after;
  };
  const Case cases[] = {
      {"INSERT INTO t VALUES (1); INSERT INTO t VALUES (1); INSERT INTO t VALUES (2)", 2,
       "INSERT INTO t VALUES (1)", 1},
      {"INSERT INTO nowhere VALUES (1); INSERT INTO t VALUES (3)", 1, "INSERT INTO nowhere VALUES (1)", 0},
      {"INSERT INTO t VALUES (4);\n-- a comment; with a semicolon\nINSERT INTO t VALUES (5);\nSELEC 1;\n"
       "INSERT INTO t VALUES (6)",
       3, "SELEC 1", 2},
  };
  for (const auto& c : cases) {
    store().Execute("DELETE FROM t");
    try {
      store().ExecuteMulti(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const StoreError& error) {
      EXPECT_EQ(error.statement_index(), c.failing_index) << c.text;
      EXPECT_EQ(error.statement(), c.failing_statement) << c.text;
      EXPECT_EQ(error.kind().rfind("MySQL error ", 0), 0u) << error.kind();
      EXPECT_NE(std::string(error.what()).find(c.failing_statement), std::string::npos) << error.what();
    }
    EXPECT_EQ(store().Query("SELECT COUNT(*) FROM t").Int64(0), c.rows_after) << c.text;
  }
  // The connection goes on normally afterwards.
  EXPECT_EQ(store().Execute("INSERT INTO t VALUES (10)"), 1u);
}

TEST_F(StoreConnectionTest, ClosedConnectionRefusesStatements) {
  store().Close();
  EXPECT_FALSE(store().IsOpen());
  try {
    store().Execute("SELECT 1");
    FAIL() << "no error";
  } catch (const StoreError& error) {
    EXPECT_EQ(error.kind(), kStoreUsageError);
  }
  EXPECT_THROW(store().Query("SELECT 1"), StoreError);
  store().Connect(params());
  EXPECT_EQ(store().Query("SELECT 2").Int64(0), 2);
}

// A loopback port that nobody listens on: bound once to find it, then released.
unsigned ClosedLoopbackPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

TEST(StoreConnectFailureTest, WrongPasswordAndClosedPortFailQuicklyWithTheServerMessage) {
  if (!test::MariadbServerPort()) GTEST_SKIP() << test::NoMariadbServerMessage();
  StoreConnectionParams wrong_password = test::MariadbRootParams();
  wrong_password.password = "not-the-password";
  StoreConnectionParams closed_port = test::MariadbRootParams();
  closed_port.port = ClosedLoopbackPort();
  StoreConnectionParams no_database = test::MariadbRootParams("no_such_database");

  struct Case {
    const char* what;
    StoreConnectionParams params;
    unsigned code;
  };
  const Case cases[] = {{"wrong password", wrong_password, 1045},
                        {"closed port", closed_port, 2002},
                        {"unknown database", no_database, 1049}};
  for (const auto& c : cases) {
    StoreConnection connection;
    auto start = std::chrono::steady_clock::now();
    try {
      connection.Connect(c.params);
      ADD_FAILURE() << c.what << ": connected";
    } catch (const StoreError& error) {
      EXPECT_EQ(error.code(), c.code) << c.what << ": " << error.what();
      EXPECT_EQ(error.kind(), "MySQL error " + std::to_string(c.code));
      EXPECT_FALSE(error.message().empty());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << c.what;
    EXPECT_FALSE(connection.IsOpen()) << c.what;
  }
}

TEST_F(StoreConnectionTest, ReconnectingReplacesTheFormerConnection) {
  auto first = store().ServerThreadId();
  store().Connect(params());
  EXPECT_TRUE(store().IsOpen());
  EXPECT_NE(store().ServerThreadId(), first);
  EXPECT_EQ(store().Query("SELECT @@SESSION.sql_mode").Text(0), "");
}

}  // namespace
}  // namespace quarvel::platform
