#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/session.h"
#include "export/catalogue_reading.h"
#include "export/catalogue_tables.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {

// A session connected to a SQLite catalogue and an export run over it that collects its log.
class ReadingRun {
 public:
  explicit ReadingRun(std::string_view extra_sql = {},
                      CatalogueFixture::Contents contents = CatalogueFixture::Contents::kStandardData);

  Session& session() { return session_; }
  Options& options() { return session_.options; }
  exporting::ExportRun& run() { return *run_; }
  exporting::CatalogueTables& tables() { return tables_; }
  const std::vector<std::string>& log() const { return log_; }
  long stop_checks() const { return stop_checks_; }
  const TempFolder& folder() const { return folder_; }

  // The stages the run frame calls, each under its scope condition (ReadStoreState in addition
  // mode only).
  void ReadAll();

 private:
  TempFolder folder_;
  CatalogueFixture catalogue_;
  Session session_;
  ScriptedUi ui_;
  exporting::CatalogueTables tables_;
  std::unique_ptr<exporting::ExportRun> run_;
  std::vector<std::string> log_;
  long stop_checks_ = 0;
};

// Compares a dump with the checked-in file tests/export/reading/expected/<name>; with
// QUARVEL_UPDATE_EXPECTED=1 in the environment the file is written instead.
void ExpectMatchesExpectedFile(const std::string& actual, const std::string& name);

// Statements that give the fixture catalogue's types this many more types of model 9 (ids from
// `first` on, all valid in country 250), each linked to article 9.
std::string ExtraTypesSql(std::int64_t first, std::int64_t count);

}  // namespace quarvel::test
