#include "tests/support/statement_killer.h"

#include <chrono>

#include "platform/store/store_connection.h"

namespace quarvel::test {

using namespace std::chrono_literals;

StatementKiller::StatementKiller(const platform::StoreConnectionParams& params, std::string statement_start)
    : thread_([this, params, statement_start] { Run(params, statement_start); }) {}

StatementKiller::~StatementKiller() { Join(); }

bool StatementKiller::Join() {
  if (thread_.joinable()) thread_.join();
  return killed_;
}

void StatementKiller::Run(const platform::StoreConnectionParams& params, const std::string& statement_start) {
  platform::StoreConnection admin;
  admin.Connect(params);
  auto deadline = std::chrono::steady_clock::now() + 20s;
  while (std::chrono::steady_clock::now() < deadline) {
    // Only this test's database: other tests run at the same time.
    auto waiting = admin.Query("SELECT ID FROM information_schema.PROCESSLIST WHERE COMMAND = 'Query' AND DB = '" +
                               params.database + "' AND INFO LIKE '" + statement_start + "%'");
    if (!waiting.AtEnd()) {
      admin.Execute("KILL CONNECTION " + waiting.Text(std::size_t{0}));
      killed_ = true;
      return;
    }
    std::this_thread::sleep_for(5ms);
  }
}

}  // namespace quarvel::test
