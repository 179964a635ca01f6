#include "bench/export_full/statement_recorder.h"

#include <sql.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quarvel::bench {

namespace {
StatementRecorder* g_active = nullptr;
}  // namespace

StatementRecorder::StatementRecorder(const std::filesystem::path& file) {
  file_ = std::fopen(file.c_str(), "wb");
  if (file_ == nullptr) throw std::runtime_error("cannot create " + file.string());
}

StatementRecorder::~StatementRecorder() {
  Stop();
  std::fclose(file_);
}

void StatementRecorder::Start() { g_active = this; }

void StatementRecorder::Stop() {
  if (g_active == this) g_active = nullptr;
  std::fflush(file_);
}

// A record: the length in decimal, a newline, the text, a newline (texts span lines).
void StatementRecorder::Record(void* statement, const char* text, std::size_t length) {
  by_handle_[statement] = fetched_rows_.size();
  fetched_rows_.push_back(0);
  std::fprintf(file_, "%zu\n", length);
  std::fwrite(text, 1, length, file_);
  std::fputc('\n', file_);
  ++count_;
}

void StatementRecorder::CountFetch(void* statement) {
  auto it = by_handle_.find(statement);
  if (it != by_handle_.end()) ++fetched_rows_[it->second];
}

std::vector<std::string> StatementRecorder::ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> statements;
  std::size_t at = 0;
  while (at < all.size()) {
    const std::size_t end_of_length = all.find('\n', at);
    if (end_of_length == std::string::npos) break;
    const std::size_t length = std::stoull(all.substr(at, end_of_length - at));
    if (end_of_length + 1 + length > all.size())
      throw std::runtime_error("truncated record in " + file.string());
    statements.push_back(all.substr(end_of_length + 1, length));
    at = end_of_length + 1 + length + 1;
  }
  return statements;
}

}  // namespace quarvel::bench

// The linker sends the program's SQLExecDirect and SQLFetch calls here (--wrap); the real ones are
// __real_.
extern "C" SQLRETURN __real_SQLExecDirect(SQLHSTMT statement, SQLCHAR* text, SQLINTEGER length);
extern "C" SQLRETURN __real_SQLFetch(SQLHSTMT statement);

extern "C" SQLRETURN __wrap_SQLExecDirect(SQLHSTMT statement, SQLCHAR* text, SQLINTEGER length) {
  if (quarvel::bench::g_active != nullptr && text != nullptr) {
    const char* chars = reinterpret_cast<const char*>(text);
    quarvel::bench::g_active->Record(
        statement, chars, length == SQL_NTS ? std::strlen(chars) : static_cast<std::size_t>(length));
  }
  return __real_SQLExecDirect(statement, text, length);
}

extern "C" SQLRETURN __wrap_SQLFetch(SQLHSTMT statement) {
  const SQLRETURN rc = __real_SQLFetch(statement);
  if (quarvel::bench::g_active != nullptr && (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO))
    quarvel::bench::g_active->CountFetch(statement);
  return rc;
}
