#pragma once

namespace quarvel {

// The user's separators for files meant for a spreadsheet. Everything else (SQL, settings, logs)
// formats numbers locale-independently; only code given one of these uses the user's conventions.
struct RegionalSettings {
  char decimal_separator = '.';
  char list_separator = ',';

  // Separators of the user's environment (LANG, LC_ALL, LC_NUMERIC). The C library has no list
  // separator: it is ";" where the decimal separator is ",", so a CSV cell never splits a number,
  // and "," otherwise.
  static RegionalSettings FromEnvironment();
};

}  // namespace quarvel
