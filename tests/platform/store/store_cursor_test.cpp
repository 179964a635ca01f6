#include "platform/store/store_cursor.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/store/store_connection.h"
#include "tests/support/store_fixture.h"

namespace quarvel::platform {
namespace {

class StoreCursorTest : public test::StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    if (IsSkipped()) return;
    store().ExecuteMulti(
        "CREATE TABLE items (id INT PRIMARY KEY, Name VARCHAR(50), price DECIMAL(12,4), qty BIGINT, note "
        "TEXT);"
        "INSERT INTO items VALUES (1, 'Disc', 12.5000, -3, NULL), (2, '', 0.0100, 9007199254740993, 'x'),"
        " (3, 'Pad', NULL, NULL, '');");
  }
};

TEST_F(StoreCursorTest, ReadsColumnsByNameAndPositionAsTextIntegerAndDecimal) {
  auto cursor = store().Query("SELECT id, Name, price, qty, note FROM items ORDER BY id");
  EXPECT_EQ(cursor.RowCount(), 3u);
  ASSERT_EQ(cursor.ColumnCount(), 5u);
  EXPECT_EQ(cursor.ColumnName(1), "Name");
  EXPECT_EQ(cursor.ColumnIndex("NAME"), 1u);
  EXPECT_TRUE(cursor.HasColumn("Qty"));
  EXPECT_FALSE(cursor.HasColumn("weight"));

  ASSERT_FALSE(cursor.AtEnd());
  EXPECT_EQ(cursor.Int64("ID"), 1);
  EXPECT_EQ(cursor.Text("name"), "Disc");
  EXPECT_EQ(cursor.Text(2), "12.5000");
  EXPECT_DOUBLE_EQ(cursor.Decimal("price"), 12.5);
  EXPECT_EQ(cursor.Int64("qty"), -3);
  EXPECT_TRUE(cursor.IsNull("note"));
  EXPECT_EQ(cursor.Text("note"), "");

  cursor.Next();
  ASSERT_FALSE(cursor.AtEnd());
  EXPECT_EQ(cursor.Int64(3), 9007199254740993);  // beyond a double's exact range
  EXPECT_DOUBLE_EQ(cursor.Decimal("price"), 0.01);
  EXPECT_FALSE(cursor.IsNull("name"));  // empty text is not NULL
  EXPECT_EQ(cursor.Text("name"), "");

  cursor.Next();
  ASSERT_FALSE(cursor.AtEnd());
  EXPECT_TRUE(cursor.IsNull("price"));
  EXPECT_EQ(cursor.Decimal("price"), 0.0);
  EXPECT_EQ(cursor.Int64("qty"), 0);
  EXPECT_FALSE(cursor.IsNull("note"));

  cursor.Next();
  EXPECT_TRUE(cursor.AtEnd());
  cursor.Next();  // stays at the end
  EXPECT_TRUE(cursor.AtEnd());
}

TEST_F(StoreCursorTest, MisuseAndBadNumbersThrowStoreErrors) {
  auto cursor = store().Query("SELECT Name, price, qty FROM items WHERE id = 1");
  auto expect_error = [](auto read, const char* kind, const char* what) {
    try {
      read();
      ADD_FAILURE() << what << ": no error";
    } catch (const StoreError& error) {
      EXPECT_EQ(error.kind(), kind) << what;
    }
  };
  expect_error([&] { return cursor.Text("weight"); }, kStoreUsageError, "unknown column");
  expect_error([&] { return cursor.Text(7); }, kStoreUsageError, "column past the end");
  expect_error([&] { return cursor.Int64("name"); }, kStoreConversionError, "text as integer");
  expect_error([&] { return cursor.Int64("price"); }, kStoreConversionError, "fraction as integer");
  expect_error([&] { return cursor.Decimal("name"); }, kStoreConversionError, "text as decimal");
  cursor.Next();
  expect_error([&] { return cursor.Text(0); }, kStoreUsageError, "read past the last row");
}

TEST_F(StoreCursorTest, EmptyResultStandsAtTheEndWithItsColumns) {
  auto cursor = store().Query("SELECT id, name FROM items WHERE id > 100");
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_EQ(cursor.RowCount(), 0u);
  EXPECT_EQ(cursor.ColumnIndex("name"), 1u);

  auto streamed = store().Query("SELECT id FROM items WHERE id > 100", QueryMode::kStreaming);
  EXPECT_TRUE(streamed.AtEnd());
  // Nothing left to read: the connection is free at once.
  EXPECT_EQ(store().Query("SELECT 1").Int64(0), 1);
}

TEST_F(StoreCursorTest, BufferedRowsOutliveTheirConnection) {
  auto cursor = store().Query("SELECT name FROM items ORDER BY id");
  store().Close();
  EXPECT_EQ(cursor.Text(0), "Disc");
  cursor.Next();
  cursor.Next();
  EXPECT_EQ(cursor.Text(0), "Pad");
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// 200,000 rows of about 200 bytes: some 40 MB if held at once. Streamed, the peak memory of the
// process must stay far below that.
TEST_F(StoreCursorTest, StreamsALargeResultWithoutHoldingIt) {
  const long before = PeakResidentKilobytes();
  auto cursor =
      store().Query("SELECT seq AS i, REPEAT('x', 200) AS pad FROM seq_1_to_200000", QueryMode::kStreaming);
  EXPECT_TRUE(cursor.IsStreaming());
  EXPECT_THROW(cursor.RowCount(), StoreError);
  std::int64_t rows = 0;
  std::int64_t sum = 0;
  // Integers only in the loop: no allocation per row that could blur the memory measurement.
  for (; !cursor.AtEnd(); cursor.Next()) {
    ++rows;
    sum += cursor.Int64("i");
    if (rows == 1) {
      EXPECT_EQ(cursor.Text("pad"), std::string(200, 'x'));
    }
  }
  EXPECT_EQ(rows, 200000);
  EXPECT_EQ(sum, std::int64_t{200000} * 200001 / 2);
  EXPECT_LT(PeakResidentKilobytes() - before, 16 * 1024) << "the rows were held in memory";
  // Read to the end, the stream no longer holds the connection.
  EXPECT_EQ(store().Query("SELECT 7").Int64(0), 7);
}

// One unbuffered result per connection: a second statement during a stream is refused with a
// clear error and the stream goes on unharmed; closing the stream frees the connection.
TEST_F(StoreCursorTest, StatementsDuringAStreamAreRefusedUntilItEnds) {
  auto stream = store().Query("SELECT id FROM items ORDER BY id", QueryMode::kStreaming);
  ASSERT_FALSE(stream.AtEnd());
  EXPECT_EQ(stream.Int64(0), 1);
  for (auto attempt : std::vector<std::function<void()>>{
           [&] { store().Query("SELECT 1"); },
           [&] { store().Query("SELECT 1", QueryMode::kStreaming); },
           [&] { store().Execute("UPDATE items SET qty = 0"); },
           [&] { store().ExecuteMulti("DO 1; DO 2"); },
       }) {
    try {
      attempt();
      ADD_FAILURE() << "a statement ran during a stream";
    } catch (const StoreError& error) {
      EXPECT_EQ(error.kind(), kStoreUsageError);
      EXPECT_NE(error.message().find("streaming"), std::string::npos) << error.message();
    }
  }
  stream.Next();
  EXPECT_EQ(stream.Int64(0), 2);
  stream.Close();
  EXPECT_TRUE(stream.AtEnd());
  EXPECT_EQ(store().Query("SELECT COUNT(*) FROM items WHERE qty = 0").Int64(0), 0);

  {
    auto abandoned = store().Query("SELECT id FROM items", QueryMode::kStreaming);
    ASSERT_FALSE(abandoned.AtEnd());
  }
  EXPECT_EQ(store().Query("SELECT COUNT(*) FROM items").Int64(0), 3);
}

TEST_F(StoreCursorTest, StreamEndsSafelyWhenItsConnectionCloses) {
  auto stream = store().Query("SELECT seq FROM seq_1_to_50000", QueryMode::kStreaming);
  ASSERT_FALSE(stream.AtEnd());
  store().Close();
  EXPECT_THROW(stream.Next(), StoreError);
  EXPECT_TRUE(stream.AtEnd());
  store().Connect(params());
  EXPECT_EQ(store().Query("SELECT 3").Int64(0), 3);
}

TEST_F(StoreCursorTest, MovedCursorKeepsItsStream) {
  StoreCursor kept;
  EXPECT_TRUE(kept.AtEnd());
  kept = store().Query("SELECT id FROM items ORDER BY id", QueryMode::kStreaming);
  StoreCursor moved(std::move(kept));
  std::vector<std::int64_t> ids;
  for (; !moved.AtEnd(); moved.Next()) ids.push_back(moved.Int64(0));
  EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 2, 3}));
  EXPECT_EQ(store().Query("SELECT 1").Int64(0), 1);
}

}  // namespace
}  // namespace quarvel::platform
