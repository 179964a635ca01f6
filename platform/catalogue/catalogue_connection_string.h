#pragma once

#include <string>
#include <string_view>

namespace quarvel::platform {

// What the "DRIVER" setting names.
enum class DriverKind { kDataSource, kDriverName, kDriverLibrary };

// "DSN=name" names a data source; a text holding '/' or '\' or ending in .so/.dll names a driver
// library; anything else (bare or in braces) names a registered driver. The second value is the name
// with the "DSN=" prefix or braces removed and surrounding blanks trimmed.
std::pair<DriverKind, std::string> ClassifyDriverSetting(std::string_view driver);

// Quotes one attribute value for an ODBC connection string: values holding ';', braces or
// surrounding blanks are wrapped in braces with '}' doubled; other values are kept as they are
// (drivers differ in how they read braces, so they are used only when needed).
std::string QuoteConnectionValue(std::string_view value);

// Builds "DSN=..;" or "DRIVER=..;" followed by DATABASE, UID and PWD when not empty.
std::string BuildCatalogueConnectionString(DriverKind kind, std::string_view name, std::string_view database,
                                           std::string_view login, std::string_view password);

}  // namespace quarvel::platform
