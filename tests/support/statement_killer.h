#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "platform/store/store_link.h"

namespace quarvel::test {

// Kills, from a second connection, the connection whose running statement in the given database
// starts with `statement_start`, as soon as it is seen (for example waiting for a held lock), so a
// lost connection happens at a known moment. Gives up after 20 s.
class StatementKiller {
 public:
  StatementKiller(const platform::StoreConnectionParams& params, std::string statement_start);
  ~StatementKiller();
  StatementKiller(const StatementKiller&) = delete;
  StatementKiller& operator=(const StatementKiller&) = delete;

  // Waits for the killer to finish; true when it killed a connection.
  bool Join();

 private:
  void Run(const platform::StoreConnectionParams& params, const std::string& statement_start);

  std::atomic<bool> killed_{false};
  std::thread thread_;
};

}  // namespace quarvel::test
