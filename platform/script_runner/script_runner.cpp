#include "platform/script_runner/script_runner.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "platform/script_runner/statement_splitter.h"

namespace quarvel::platform {
namespace {

bool SameWord(std::string_view word, std::string_view upper) {
  if (word.size() != upper.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
  }
  return true;
}

// Statements that give the server exactly one result and no trouble in a multi-statement text,
// so a failure's position in a batch names the statement. Everything else (DDL, CALL, compound
// statements, executable comments) goes alone.
bool IsBatchable(std::string_view text) {
  std::size_t length = 0;
  while (length < text.size() && std::isalpha(static_cast<unsigned char>(text[length])) != 0) ++length;
  if (length == text.size()) return false;
  std::string_view word = text.substr(0, length);
  return SameWord(word, "INSERT") || SameWord(word, "REPLACE") || SameWord(word, "UPDATE") ||
         SameWord(word, "DELETE");
}

int Percent(std::size_t position, std::size_t size) {
  return static_cast<int>((position * 200 + size) / (2 * size));
}

// A failure that belongs to the statement: anything the server refused. A lost connection, or
// a failure of our own (no connection), belongs to the run.
bool IsStatementFailure(const StoreError& error) { return error.code() != 0 && !error.connection_lost(); }

StoreError TooLong(std::size_t length, std::size_t max_allowed_packet) {
  return StoreError(kStatementTooLong, "The statement is " + std::to_string(length) +
                                           " bytes long, more than the server accepts in one statement "
                                           "(max_allowed_packet = " +
                                           std::to_string(max_allowed_packet) + " bytes); it was not sent");
}

std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw std::filesystem::filesystem_error("Cannot open the script file", file,
                                            std::error_code(errno, std::generic_category()));
  }
  std::string content;
  in.seekg(0, std::ios::end);
  auto size = in.tellg();
  if (size > 0) {
    content.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(content.data(), size);
  }
  if (in.bad() || (size > 0 && in.gcount() != size)) {
    throw std::filesystem::filesystem_error("Cannot read the script file", file,
                                            std::make_error_code(std::errc::io_error));
  }
  return content;
}

}  // namespace

ScriptRunSummary ScriptRunner::RunFile(const std::filesystem::path& file, const ScriptCallbacks& callbacks) {
  std::string script = ReadWholeFile(file);
  return RunScript(script, callbacks);
}

ScriptRunSummary ScriptRunner::RunScript(std::string_view script, const ScriptCallbacks& callbacks) {
  ScriptRunSummary summary;
  const std::vector<ScriptStatement> statements = SplitScript(script);
  const std::size_t size = script.size();
  auto report = [&](const ScriptStatement& statement) {
    if (callbacks.progress) callbacks.progress(Percent(statement.end, size));
  };
  // Reports a failed statement; true when the run goes on.
  auto go_on_after = [&](const ScriptStatement& statement, const StoreError& error) {
    ++summary.failed;
    auto action = callbacks.error ? callbacks.error(statement.text, error) : ScriptErrorAction::kStop;
    if (action == ScriptErrorAction::kStop) summary.stopped = true;
    return !summary.stopped;
  };

  std::string batch;
  std::size_t next = 0;
  while (next < statements.size()) {
    const std::size_t packet = MaxAllowedPacket();
    const ScriptStatement& first = statements[next];
    // The server takes a statement in one packet: a command byte and the text.
    if (first.text.size() + 1 > packet) {
      if (!go_on_after(first, TooLong(first.text.size(), packet))) return summary;
      report(first);
      ++next;
      continue;
    }

    std::size_t count = 1;
    if (batch_bytes_ > 0 && IsBatchable(first.text)) {
      const std::size_t budget = std::min(batch_bytes_, packet - 1);
      std::size_t bytes = first.text.size();
      while (next + count < statements.size() && count < kMaxBatchStatements) {
        std::string_view text = statements[next + count].text;
        if (!IsBatchable(text) || bytes + 1 + text.size() > budget) break;
        bytes += 1 + text.size();
        ++count;
      }
    }

    std::optional<StoreError> failure;
    std::size_t failed_at = 0;  // position of the failed statement inside the batch
    try {
      if (count == 1) {
        store_.Execute(first.text);
      } else {
        batch.clear();
        for (std::size_t i = 0; i < count; ++i) {
          if (i > 0) batch += ';';
          batch.append(statements[next + i].text);
        }
        store_.ExecuteMulti(batch);
      }
    } catch (const StoreError& error) {
      if (!IsStatementFailure(error)) throw;
      if (count > 1) {
        int index = error.statement_index();
        if (index < 1 || static_cast<std::size_t>(index) > count) throw;
        failed_at = static_cast<std::size_t>(index) - 1;
      }
      failure.emplace(error.kind(), error.message(), error.code());
    }

    if (!failure) {
      summary.succeeded += count;
      next += count;
      report(statements[next - 1]);
      continue;
    }
    summary.succeeded += failed_at;
    if (failed_at > 0) report(statements[next + failed_at - 1]);
    const ScriptStatement& failed = statements[next + failed_at];
    if (!go_on_after(failed, *failure)) return summary;
    next += failed_at + 1;
    report(failed);
  }
  return summary;
}

std::size_t ScriptRunner::MaxAllowedPacket() {
  unsigned long thread_id = store_.ServerThreadId();
  if (thread_id == 0 || thread_id != packet_thread_id_) {
    auto cursor = store_.Query("SELECT @@max_allowed_packet");
    max_allowed_packet_ = static_cast<std::size_t>(cursor.Int64(0));
    packet_thread_id_ = store_.ServerThreadId();
  }
  return max_allowed_packet_;
}

}  // namespace quarvel::platform
