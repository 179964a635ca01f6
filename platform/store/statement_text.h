#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarvel::platform {

// True when the statement only reads (SELECT, SHOW, DESCRIBE/DESC, EXPLAIN, WITH ... SELECT), judged
// by its first keyword after blanks, comments and opening parentheses. Such a statement may be run
// again after a lost connection. An executable comment (/*! ... */) in front counts as not a read.
bool IsReadStatement(std::string_view sql);

// Splits a multi-statement text at the semicolons outside quotes and comments, as the server counts
// statements. Blank and comment-only pieces are dropped; each piece is trimmed, without its ';'.
std::vector<std::string> SplitStatements(std::string_view text);

}  // namespace quarvel::platform
