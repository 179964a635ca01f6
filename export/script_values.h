#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarvel::exporting {

// Value texts of script rows. Every number is written locale-independently, so a script written
// under a comma-decimal desktop locale still runs on the store.

// Decimal digits, unquoted.
std::string SqlInteger(std::int64_t value);

// Measured decimals (width, height, depth, weight): the shortest general form with up to 15
// significant digits and "." as separator, unquoted. A value that is not finite gives "0": "nan"
// or "inf" would break the whole statement when the script runs.
std::string SqlDecimal(double value);

// Text not yet escaped: EscapeSql, then single quotes.
std::string SqlText(std::string_view raw);

// Text that is already safe inside quotes (escaped when it was loaded, or a link_rewrite name):
// single quotes only, so nothing is escaped twice.
std::string SqlQuoted(std::string_view safe_text);

// The first `max_chars` characters (code points) of UTF-8 text; never splits a character.
std::string_view FirstCharacters(std::string_view text, std::size_t max_chars);

// The first `max_chars` characters of text stored escaped, where an escape pair counts as the two
// characters it is stored as. A pair that would be cut in half is dropped whole: a lone trailing
// backslash would escape the closing quote and run the literal into the rest of the statement.
std::string_view FirstEscapedCharacters(std::string_view escaped, std::size_t max_chars);

// One row's values text, built in a reused buffer and separated by ","; pass View() to
// TableScriptWriter::AddRow. Clear() keeps the capacity, so a stage writing millions of rows
// allocates only while its longest row grows.
class ScriptRow {
 public:
  ScriptRow& Clear() {
    text_.clear();
    return *this;
  }
  ScriptRow& Integer(std::int64_t value);
  ScriptRow& Decimal(double value);
  ScriptRow& Text(std::string_view raw);          // escaped and quoted
  ScriptRow& Quoted(std::string_view safe_text);  // quoted as it stands
  ScriptRow& Literal(std::string_view sql);       // as it stands: NOW(), 0.000000, LEFT('...',128)

  std::string_view View() const { return text_; }

 private:
  void Separate() {
    if (!text_.empty()) text_ += ',';
  }

  std::string text_;
};

}  // namespace quarvel::exporting
