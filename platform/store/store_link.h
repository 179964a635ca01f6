#pragma once

#include <mysql.h>

#include <cstdint>
#include <string>

#include "platform/store/store_error.h"

namespace quarvel::platform {

// Where and as whom the store connection connects.
struct StoreConnectionParams {
  std::string host;
  unsigned port = 3306;
  std::string database;
  std::string user;
  std::string password;
};

// The Connector/C handle behind one store connection, shared by the connection and its cursors so
// that a cursor never outlives the memory its result refers to. It also keeps the one unbuffered
// result the protocol allows at a time.
class StoreLink {
 public:
  StoreLink() = default;
  ~StoreLink();
  StoreLink(const StoreLink&) = delete;
  StoreLink& operator=(const StoreLink&) = delete;

  // Closes, then connects with these parameters. Throws StoreError.
  void Open(const StoreConnectionParams& params);
  // Connects again with the last parameters, restoring the session settings.
  void Reopen();
  void Close();
  bool IsOpen() const { return open_; }

  MYSQL* mysql() { return &mysql_; }
  unsigned ServerStatus() const { return open_ ? mysql_.server_status : 0; }
  unsigned long ThreadId() { return open_ ? mysql_thread_id(&mysql_) : 0; }
  const StoreConnectionParams& params() const { return params_; }

  // The error of the last call on the handle.
  StoreError LastError();

  // Unbuffered results: at most one at a time. BeginStream takes ownership and returns its id.
  bool Streaming() const { return stream_ != nullptr; }
  std::uint64_t BeginStream(MYSQL_RES* result);
  bool StreamActive(std::uint64_t id) const { return stream_ != nullptr && stream_id_ == id; }
  // Frees the result of stream id (reading off its unread rows when the link is still usable) and
  // then the further results of a multi-result statement.
  void EndStream(std::uint64_t id);

  // Reads off and frees the further results of a statement that returned more than one (CALL).
  void DiscardMoreResults();

 private:
  void DropStream();

  MYSQL mysql_{};
  bool open_ = false;
  StoreConnectionParams params_;
  MYSQL_RES* stream_ = nullptr;
  std::uint64_t stream_id_ = 0;
  std::uint64_t next_stream_id_ = 1;
};

// Errors after which the connection is gone: the statement's fate is unknown.
bool IsLostConnectionCode(unsigned code);

}  // namespace quarvel::platform
