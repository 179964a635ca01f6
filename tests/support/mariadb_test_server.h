#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/store/store_link.h"

namespace quarvel::test {

// The folder of the MariaDB server the test run starts with scripts/mariadb-test-server (the CTest
// fixture "mariadb"): $QUARVEL_MARIADB_DIR when set, else test-services/mariadb in the build folder.
std::filesystem::path MariadbServerFolder();

// The server's TCP port, or nothing when no server was started for this run.
std::optional<unsigned> MariadbServerPort();

// Connection to the test server as root over loopback TCP, optionally into a database.
// Throws std::runtime_error when there is no server.
platform::StoreConnectionParams MariadbRootParams(const std::string& database = {});

// The reason given when a store test is skipped for want of the server.
std::string NoMariadbServerMessage();

}  // namespace quarvel::test
