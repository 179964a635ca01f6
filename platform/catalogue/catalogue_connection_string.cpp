#include "platform/catalogue/catalogue_connection_string.h"

#include <cctype>
#include <utility>

namespace quarvel::platform {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) !=
        std::toupper(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

std::pair<DriverKind, std::string> ClassifyDriverSetting(std::string_view driver) {
  std::string_view text = Trim(driver);
  if (StartsWithNoCase(text, "DSN=")) return {DriverKind::kDataSource, std::string(Trim(text.substr(4)))};
  if (text.size() >= 2 && text.front() == '{' && text.back() == '}') {
    return {DriverKind::kDriverName, std::string(Trim(text.substr(1, text.size() - 2)))};
  }
  if (text.find('/') != std::string_view::npos || text.find('\\') != std::string_view::npos ||
      EndsWithNoCase(text, ".so") || EndsWithNoCase(text, ".dll")) {
    return {DriverKind::kDriverLibrary, std::string(text)};
  }
  return {DriverKind::kDriverName, std::string(text)};
}

std::string QuoteConnectionValue(std::string_view value) {
  const bool needs_braces = value.find_first_of(";{}") != std::string_view::npos ||
                            (!value.empty() && (std::isspace(static_cast<unsigned char>(value.front())) ||
                                                std::isspace(static_cast<unsigned char>(value.back()))));
  if (!needs_braces) return std::string(value);
  std::string quoted = "{";
  for (char c : value) {
    quoted += c;
    if (c == '}') quoted += '}';
  }
  quoted += '}';
  return quoted;
}

std::string BuildCatalogueConnectionString(DriverKind kind, std::string_view name, std::string_view database,
                                           std::string_view login, std::string_view password) {
  std::string text;
  switch (kind) {
    case DriverKind::kDataSource:
      text = "DSN=" + QuoteConnectionValue(name) + ";";
      break;
    case DriverKind::kDriverName: {
      // Registered driver names are always braced: they commonly hold blanks.
      std::string braced = "{";
      for (char c : name) {
        braced += c;
        if (c == '}') braced += '}';
      }
      text = "DRIVER=" + braced + "};";
      break;
    }
    case DriverKind::kDriverLibrary:
      text = "DRIVER=" + QuoteConnectionValue(name) + ";";
      break;
  }
  if (!database.empty()) text += "DATABASE=" + QuoteConnectionValue(database) + ";";
  if (!login.empty()) text += "UID=" + QuoteConnectionValue(login) + ";";
  if (!password.empty()) text += "PWD=" + QuoteConnectionValue(password) + ";";
  return text;
}

}  // namespace quarvel::platform
