#include "core/regional_settings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->had) {
        setenv(it->name, it->value.c_str(), 1);
      } else {
        unsetenv(it->name);
      }
    }
  }

 private:
  struct Saved {
    const char* name;
    bool had;
    std::string value;
  };
  std::vector<Saved> saved_;
};

TEST(RegionalSettingsTest, UnknownOrPlainLocalesGiveTheDefaults) {
  for (const char* locale : {"C", "no_SUCH.locale"}) {
    ScopedEnvironment environment;
    environment.Set("LC_ALL", locale);
    const RegionalSettings settings = RegionalSettings::FromEnvironment();
    EXPECT_EQ(settings.decimal_separator, '.') << locale;
    EXPECT_EQ(settings.list_separator, ',') << locale;
  }
}

// A comma locale is compiled into a temporary folder, as the build machine may have none installed.
TEST(RegionalSettingsTest, ReadsACommaLocaleAndRestoresTheProcessLocale) {
  test::TempFolder folder;
  const std::string command =
      "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE here";

  ScopedEnvironment environment;
  environment.Set("LOCPATH", folder.path().string());
  environment.Set("LC_ALL", "de_DE.UTF-8");
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);

  const RegionalSettings settings = RegionalSettings::FromEnvironment();
  EXPECT_EQ(settings.decimal_separator, ',');
  EXPECT_EQ(settings.list_separator, ';');
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

}  // namespace
}  // namespace quarvel
