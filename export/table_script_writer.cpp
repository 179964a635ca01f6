#include "export/table_script_writer.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "export/export_context.h"

namespace quarvel::exporting {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Whole lines gather up to this size before they go to the file: one system call per line would
// dominate a table written one row per statement.
constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

TableScriptWriter::TableScriptWriter(std::filesystem::path folder, std::string_view table_prefix,
                                     std::string_view table_name, std::string_view column_list,
                                     int rows_per_statement, int statements_per_file)
    : folder_(std::move(folder)),
      // Zero or negative limits would write empty statements or rotate files with rows pending.
      rows_per_statement_(std::max(rows_per_statement, 1)),
      statements_per_file_(std::max(statements_per_file, 1)) {
  statement_start_.append("INSERT INTO `").append(table_prefix).append(table_name).append("` (");
  statement_start_.append(column_list).append(") VALUES ");
  out_.reserve(kFlushSize + 4096);
}

TableScriptWriter::TableScriptWriter(const ExportParameters& params, std::string_view table_name,
                                     std::string_view column_list)
    : TableScriptWriter(params.export_folder, params.table_prefix, table_name, column_list,
                        params.rows_per_statement, params.statements_per_file) {}

TableScriptWriter::~TableScriptWriter() {
  // The stage ended without Finish: keep what was written, drop the pending rows.
  if (!file_.is_open()) return;
  try {
    Flush();
  } catch (const std::exception&) {
    // An error while unwinding is already being reported; nothing more can be saved.
  }
  file_.close();
}

void TableScriptWriter::Begin(std::string_view stem, std::string_view header_line) {
  Finish();
  stem_ = stem;
  header_line_ = header_line;
  file_number_ = 1;
  rows_.clear();
  row_count_ = 0;
  OpenFile();
}

void TableScriptWriter::AddRow(std::string_view values) {
  if (!rows_.empty()) rows_ += ',';
  rows_ += '(';
  rows_ += values;
  rows_ += ')';
  ++row_count_;
}

void TableScriptWriter::EndItem() {
  if (row_count_ >= rows_per_statement_) {
    WriteStatement();
    if (statement_count_ >= statements_per_file_) {
      CloseFile();
      ++file_number_;
      OpenFile();
    }
  }
}

void TableScriptWriter::WriteLine(std::string_view text) {
  out_ += text;
  out_ += kLineEnd;
  FlushWhenFull();
}

void TableScriptWriter::Finish() {
  if (!file_.is_open()) return;
  if (!rows_.empty()) WriteStatement();
  CloseFile();
}

void TableScriptWriter::OpenFile() {
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, file_number_);
  std::string name = stem_;
  name.append(".").append(digits, result.ptr).append(".sql");
  path_ = folder_ / name;
  statement_count_ = 0;
  // Our own buffer already gathers whole lines; a second one in the stream would only copy them.
  file_.rdbuf()->pubsetbuf(nullptr, 0);
  // Replaced, never appended to: a re-run must not add statements to the files of an earlier run.
  errno = 0;
  file_.open(path_, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!file_.is_open()) Fail("cannot be created");
  out_ = kByteOrderMark;
  if (!header_line_.empty()) {
    out_ += header_line_;
    out_ += kLineEnd;
  }
  // The byte-order mark and header reach the disk at once, so an empty table still shows them.
  Flush();
}

void TableScriptWriter::CloseFile() {
  Flush();
  errno = 0;
  file_.close();
  if (file_.fail()) Fail("cannot be written");
}

void TableScriptWriter::WriteStatement() {
  out_ += statement_start_;
  out_ += rows_;
  out_ += ';';
  out_ += kLineEnd;
  rows_.clear();
  row_count_ = 0;
  ++statement_count_;
  FlushWhenFull();
}

void TableScriptWriter::FlushWhenFull() {
  if (out_.size() >= kFlushSize) Flush();
}

void TableScriptWriter::Flush() {
  errno = 0;
  if (!out_.empty()) {
    file_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
    out_.clear();
  }
  file_.flush();
  if (file_.fail()) Fail("cannot be written");
}

void TableScriptWriter::Fail(std::string_view what) const {
  std::string message = "The file \"" + path_.string() + "\" " + std::string(what);
  if (errno != 0) message.append(": ").append(std::strerror(errno));
  throw std::runtime_error(message);
}

}  // namespace quarvel::exporting
