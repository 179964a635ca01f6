#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/regional_settings.h"

namespace quarvel {

// Shared text helpers. All take and give UTF-8 text and keep no state. "Letters" and "digits" are
// the ASCII ones; accented and Cyrillic letters fall outside them.

// Removes leading and trailing blanks and control characters (every byte up to the space).
std::string Trim(std::string_view text);

// Case-sensitive replace-all passes, applied one after the other in list order. Both lists must
// have the same length (asserted). An empty pattern leaves the text as it is.
std::string ReplaceAllInOrder(std::string_view text, const std::vector<std::string_view>& patterns,
                              const std::vector<std::string_view>& replacements);

// Text made safe inside a single- or double-quoted MySQL string literal: backslash, quotes, NUL,
// LF, CR and character 26 get a backslash escape.
std::string EscapeSql(std::string_view text);

// Replaces every non-overlapping occurrence of `pattern`, left to right, comparing with Unicode
// simple case folding. An empty pattern leaves the text as it is.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view pattern,
                                 std::string_view replacement);

// Reads a tagged-value string: the text between the first `open` and the first `close`, both searched
// from the start; empty when either is missing or the close comes first.
std::string TagValue(std::string_view text, std::string_view open, std::string_view close);

// The store's URL name (link_rewrite): lower case, URL punctuation to hyphens, hyphen runs shortened,
// then percent-encoded with spaces as hyphens.
std::string MakeLinkRewrite(std::string_view text);

// Percent-encoding of the UTF-8 bytes: letters, digits and !'()*-._~ stay, a space becomes "-",
// every other byte "%XX".
std::string UrlEncodeUtf8(std::string_view text);

// The catalogue's search form of an article number: letters and digits only, upper case.
std::string SearchNumber(std::string_view article_number);

// Trimmed text with every character other than a space, letter or digit replaced by one space.
std::string TagText(std::string_view text);

// A number read from the store, written with the user's decimal separator.
std::string LocalDecimal(std::string_view number_text, const RegionalSettings& regional);

// Catalogue date yyyymm as "mm/yyyy"; empty for empty input.
std::string YearMonthText(std::string_view yyyymm);

// Lines of a text file, as a line reader sees them: LF, CR LF and a lone CR each end a line, and a
// last line without a line end counts. Throws std::runtime_error naming the file when it cannot be
// opened or read.
std::int64_t CountFileLines(const std::filesystem::path& path);

// The system's program-files folder from the registry; empty where there is none.
std::string ProgramFilesFolder();

}  // namespace quarvel
