#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quarvel::test {

// What a set of export script files inserts, read from the text of the files: rows per table,
// and the statements that are neither a row INSERT nor one of the known set-up statements (a
// CREATE TABLE, the tag file's procedure header). Such a statement makes the count unreliable,
// so the caller should treat any of them as a failure.
struct WrittenRows {
  std::map<std::string, long> per_table;
  std::vector<std::string> unrecognised;
};

// Adds the rows of one script text ("INSERT INTO `table` (...) VALUES (...),(...);" statements,
// optionally behind a byte order mark) to `rows`.
void CountWrittenRows(std::string_view script, WrittenRows& rows);

// The rows of every .sql file of a folder.
WrittenRows CountFolderRows(const std::filesystem::path& folder);

}  // namespace quarvel::test
