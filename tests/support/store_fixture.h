#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/options.h"
#include "platform/store/store_connection.h"

namespace quarvel::test {

enum class StoreGeneration { kPrestaShop16, kPrestaShop9 };

// A database of its own for one test, cloned from the template of a store generation that the
// test server loaded at start (PrestaShop schema, minimal rows and this system's tables, prefix
// ps_), and dropped at the end. Throws std::runtime_error when there is no test server.
class FreshStoreDatabase {
 public:
  explicit FreshStoreDatabase(StoreGeneration generation = StoreGeneration::kPrestaShop16);
  ~FreshStoreDatabase();
  FreshStoreDatabase(const FreshStoreDatabase&) = delete;
  FreshStoreDatabase& operator=(const FreshStoreDatabase&) = delete;

  const std::string& name() const { return name_; }
  // Root over loopback TCP into this database.
  platform::StoreConnectionParams params() const;

 private:
  std::string name_;
};

// Test fixture: every test gets a fresh store database and an open connection to it. Skips the
// test when the run has no MariaDB server. Derive and override Generation() for PrestaShop 9.
class StoreFixture : public ::testing::Test {
 protected:
  virtual StoreGeneration Generation() const { return StoreGeneration::kPrestaShop16; }
  void SetUp() override;
  void TearDown() override;

  platform::StoreConnection& store() { return store_; }
  const std::string& database() const { return database_->name(); }
  platform::StoreConnectionParams params() const { return database_->params(); }

 private:
  std::unique_ptr<FreshStoreDatabase> database_;
  platform::StoreConnection store_;
};

class StoreFixture9 : public StoreFixture {
 protected:
  StoreGeneration Generation() const override { return StoreGeneration::kPrestaShop9; }
};

// The store connection settings ("SERVER" .. "PREFIX TABLE") that reach the given database.
void SetStoreOptions(Options& options, const platform::StoreConnectionParams& params,
                     const std::string& prefix = "ps_");

}  // namespace quarvel::test
