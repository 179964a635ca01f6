#include "platform/catalogue/catalogue_connection_string.h"

#include <gtest/gtest.h>

namespace quarvel::platform {
namespace {

TEST(ClassifyDriverSettingTest, TellsDataSourcesDriversAndLibrariesApart) {
  struct Case {
    const char* setting;
    DriverKind kind;
    const char* name;
  };
  const Case cases[] = {
      {"DSN=TECDOC_CD_3_2014", DriverKind::kDataSource, "TECDOC_CD_3_2014"},
      {"  dsn= My Catalogue ", DriverKind::kDataSource, "My Catalogue"},
      {"Transbase ODBC TECDOC CD 3_2014", DriverKind::kDriverName, "Transbase ODBC TECDOC CD 3_2014"},
      {"{SQLite3}", DriverKind::kDriverName, "SQLite3"},
      {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so", DriverKind::kDriverLibrary,
       "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"},
      {"C:\\Windows\\System32\\tbodbc.dll", DriverKind::kDriverLibrary, "C:\\Windows\\System32\\tbodbc.dll"},
      {"libsqlite3odbc.SO", DriverKind::kDriverLibrary, "libsqlite3odbc.SO"},
      {"", DriverKind::kDriverName, ""},
  };
  for (const Case& c : cases) {
    const auto [kind, name] = ClassifyDriverSetting(c.setting);
    EXPECT_EQ(kind, c.kind) << c.setting;
    EXPECT_EQ(name, c.name) << c.setting;
  }
}

TEST(BuildCatalogueConnectionStringTest, BuildsEachKindAndSkipsEmptyFields) {
  EXPECT_EQ(BuildCatalogueConnectionString(DriverKind::kDataSource, "TOF", "", "", ""), "DSN=TOF;");
  EXPECT_EQ(BuildCatalogueConnectionString(DriverKind::kDriverName, "Transbase ODBC TECDOC CD 3_2014",
                                           "TECDOC_CD_3_2014", "tecdoc", "mkq_lanyx_5"),
            "DRIVER={Transbase ODBC TECDOC CD 3_2014};DATABASE=TECDOC_CD_3_2014;UID=tecdoc;PWD=mkq_lanyx_5;");
  EXPECT_EQ(
      BuildCatalogueConnectionString(DriverKind::kDriverLibrary, "/lib/odbc.so", "file:/a b?mode=ro", "", ""),
      "DRIVER=/lib/odbc.so;DATABASE=file:/a b?mode=ro;");
}

// A separator or brace inside a value must not end the value or inject further attributes.
TEST(BuildCatalogueConnectionStringTest, BracesValuesThatWouldBreakTheString) {
  EXPECT_EQ(QuoteConnectionValue("pa;ss"), "{pa;ss}");
  EXPECT_EQ(QuoteConnectionValue("x;DATABASE=other"), "{x;DATABASE=other}");
  EXPECT_EQ(QuoteConnectionValue("a}b"), "{a}}b}");
  EXPECT_EQ(QuoteConnectionValue(" padded "), "{ padded }");
  EXPECT_EQ(QuoteConnectionValue("plain=text"), "plain=text");
  EXPECT_EQ(BuildCatalogueConnectionString(DriverKind::kDriverName, "Odd}Name", "", "u", "p;w"),
            "DRIVER={Odd}}Name};UID=u;PWD={p;w};");
}

}  // namespace
}  // namespace quarvel::platform
