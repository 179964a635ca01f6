#include "core/regional_settings.h"

#include <clocale>
#include <string>

namespace quarvel {
namespace {

// Sets LC_NUMERIC from the environment for its lifetime and puts the previous setting back, so
// asking does not change how the rest of the process formats numbers.
class ScopedEnvironmentNumericLocale {
 public:
  ScopedEnvironmentNumericLocale() {
    if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) previous_ = current;
    active_ = std::setlocale(LC_NUMERIC, "") != nullptr;
  }
  ~ScopedEnvironmentNumericLocale() {
    if (!previous_.empty()) std::setlocale(LC_NUMERIC, previous_.c_str());
  }
  ScopedEnvironmentNumericLocale(const ScopedEnvironmentNumericLocale&) = delete;
  ScopedEnvironmentNumericLocale& operator=(const ScopedEnvironmentNumericLocale&) = delete;

  bool active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

}  // namespace

RegionalSettings RegionalSettings::FromEnvironment() {
  RegionalSettings settings;
  ScopedEnvironmentNumericLocale scope;
  if (!scope.active()) return settings;
  const std::lconv* conventions = std::localeconv();
  // Only a one-byte separator can be used as such; multi-byte ones (some locales use U+066B or a
  // narrow no-break space) fall back to the default.
  if (conventions != nullptr && conventions->decimal_point != nullptr &&
      conventions->decimal_point[0] != '\0' && conventions->decimal_point[1] == '\0') {
    settings.decimal_separator = conventions->decimal_point[0];
  }
  settings.list_separator = settings.decimal_separator == ',' ? ';' : ',';
  return settings;
}

}  // namespace quarvel
