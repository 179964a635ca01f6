#include "tests/support/mariadb_test_server.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace quarvel::test {

std::filesystem::path MariadbServerFolder() {
  if (const char* folder = std::getenv("QUARVEL_MARIADB_DIR"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  return std::filesystem::path(QUARVEL_BINARY_DIR) / "test-services" / "mariadb";
}

std::optional<unsigned> MariadbServerPort() {
  std::ifstream in(MariadbServerFolder() / "port");
  std::string text;
  if (!in || !std::getline(in, text)) return std::nullopt;
  unsigned port = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || port == 0 || port > 65535) return std::nullopt;
  return port;
}

platform::StoreConnectionParams MariadbRootParams(const std::string& database) {
  auto port = MariadbServerPort();
  if (!port) throw std::runtime_error(NoMariadbServerMessage());
  platform::StoreConnectionParams params;
  params.host = "127.0.0.1";
  params.port = *port;
  params.database = database;
  params.user = "root";
  return params;
}

std::string NoMariadbServerMessage() {
  return "No MariaDB test server in " + MariadbServerFolder().string() +
         ": run the tests with ctest (fixture \"mariadb\"), or start one with scripts/mariadb-test-server "
         "start DIR and set QUARVEL_MARIADB_DIR=DIR";
}

}  // namespace quarvel::test
