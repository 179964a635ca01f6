#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quarvel::exporting {

struct ExportParameters;

// Writes one store table as numbered MySQL script files: folder / (stem + "." + n + ".sql"), each
// UTF-8 with a byte-order mark and CR LF line ends, rows grouped into multi-row INSERT statements
// and statements into files by the run's two limits.
//
// Output passes through one reused buffer that reaches the file only at line boundaries, so a file
// cut short by a crash or a stop ends with a whole statement. Rows still pending when the writer is
// destroyed without Finish (a stop or an error ended the stage) are not written.
//
// Errors creating, writing or closing a file throw std::runtime_error naming the file.
class TableScriptWriter {
 public:
  // `table_name` is the store table without prefix (or a link table's name); `column_list` the
  // back-quoted column names joined by ",". Limits below 1 act as 1.
  TableScriptWriter(std::filesystem::path folder, std::string_view table_prefix, std::string_view table_name,
                    std::string_view column_list, int rows_per_statement, int statements_per_file);
  // Folder, prefix and limits from the run.
  TableScriptWriter(const ExportParameters& params, std::string_view table_name,
                    std::string_view column_list);
  ~TableScriptWriter();
  TableScriptWriter(const TableScriptWriter&) = delete;
  TableScriptWriter& operator=(const TableScriptWriter&) = delete;

  // Creates file number 1 (replacing one that exists) with the header line, when there is one, at
  // the top of it and of every later file of this table.
  void Begin(std::string_view stem, std::string_view header_line = {});
  // Adds one row; `values` is the formatted values text without parentheses.
  void AddRow(std::string_view values);
  // Closes the item the rows since the last call belong to: writes the statement once it holds
  // rows-per-statement rows, then starts the next file once this one holds statements-per-file.
  void EndItem();
  // Writes a line of the stage's own into the open file, ahead of rows still pending.
  void WriteLine(std::string_view text);
  // Writes the pending rows as a last statement and closes the file.
  void Finish();

  const std::filesystem::path& current_file() const { return path_; }
  int file_number() const { return file_number_; }

 private:
  void OpenFile();
  void CloseFile();
  void WriteStatement();
  void FlushWhenFull();
  void Flush();
  [[noreturn]] void Fail(std::string_view what) const;

  std::filesystem::path folder_;
  std::string statement_start_;  // "INSERT INTO `prefix table` (columns) VALUES "
  int rows_per_statement_;
  int statements_per_file_;

  std::string stem_;
  std::string header_line_;
  std::filesystem::path path_;
  std::ofstream file_;
  int file_number_ = 0;
  std::string rows_;  // pending rows "(..),(..)"
  std::string out_;   // whole lines not yet passed to the file
  std::int64_t row_count_ = 0;
  int statement_count_ = 0;
};

}  // namespace quarvel::exporting
