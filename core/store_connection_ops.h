#pragma once

#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

inline constexpr const char* kStoreLogFileName = "Log_ConnectToPrestaShop.txt";

// Connects the store from the SERVER/PORT/DATABASE NAME/USER NAME/PASSWORD options (a port that is
// not a number becomes 3306, in the options too); on success saves them and runs the structure test.
// Errors turn the store indicator red and go into the status text.
void TestStoreConnection(Session& session, Ui& ui);

// Checks the store's catalogue tables, logs the configuration table and reads StoreDefaults into the
// session. A failing configuration query closes the store connection.
void TestStoreStructure(Session& session, Ui& ui);

// Saves the log panel as Log_ConnectToPrestaShop.txt beside the settings and opens it.
void OpenStoreLog(Session& session, Ui& ui);

}  // namespace quarvel
