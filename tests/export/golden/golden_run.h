#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "export/store_columns.h"
#include "platform/store/store_connection.h"
#include "tests/export/reading/reading_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {

// Catalogue changes that put the texts which break careless writers into the category tree: a
// model name with quotes, a backslash and Cyrillic letters, and a generic-article name of 130
// characters whose 128th character is a quote.
std::string SpecialTextsSql();
// The generic-article name SpecialTextsSql gives (raw).
std::string LongArticleName();
// The name of the VEHICLE group used by the special-texts runs.
inline constexpr char kVehicleGroupName[] = "Автомобили 'CARS' \\ A/B";
// The category description template: raw quotes, a backslash, line breaks, Cyrillic text.
inline constexpr char kDescriptionTemplate[] =
    "<p>\"{MODEL}\" O'Neil \\ back</p>\r\nТип : {ENGINETYPE}\r\n{ADDITIONALDATACAR}";

// The product description template: the cross references and the vehicle list, which are read in
// batches, around raw quotes, a backslash and line breaks.
inline constexpr char kProductDescriptionTemplate[] =
    "<p>'{BRAND}' \\ {TRADENUMBER}</p>\r\n<b>{CROSSREF}</b>\r\n{USEDFORCARS-LIST}";
inline constexpr char kShortDescriptionTemplate[] = "{NAMEOFPART} \"short\"";
inline constexpr char kBackorderText[] = "Order 'now' \\ ships later";

// A reading run over the fixture catalogue followed by the writing stages of this folder
// (suppliers and manufacturers, categories) into a folder of its own.
class WritingRun {
 public:
  explicit WritingRun(std::string_view extra_catalogue_sql = {},
                      CatalogueFixture::Contents contents = CatalogueFixture::Contents::kStandardData);

  ReadingRun& reading() { return reading_; }
  exporting::ExportRun& run() { return reading_.run(); }
  Options& options() { return reading_.options(); }
  const std::filesystem::path& export_folder() const { return export_.path(); }

  // Store prefix "ps_", shop 1, main language 1; limits of the writing scheme.
  void SetLimits(int rows_per_statement, int statements_per_file);
  // The VEHICLE group name and the description templates above.
  void UseSpecialTexts();
  // Connects the session's store and turns the run into "Addition to the existing data".
  void UseAdditionInto(const platform::StoreConnectionParams& store);

  // Reads the slice and writes it.
  void Write(const exporting::StoreColumns& columns = {});

  // Every file of the export folder: name -> bytes.
  std::map<std::string, std::string> Files() const;

 private:
  ReadingRun reading_;
  TempFolder export_;
  TempFolder templates_;
};

// Compares the files with tests/export/golden/expected/<name>/ (same names, same bytes, no file
// missing or extra); with QUARVEL_UPDATE_GOLDEN=1 the folder is rewritten instead.
void ExpectMatchesGolden(const std::map<std::string, std::string>& files, const std::string& name);

// Runs every .sql file of the folder in name order through the script runner; gives one line per
// failed statement (error and statement).
std::vector<std::string> LoadScripts(platform::StoreConnection& store, const std::filesystem::path& folder);

// The clean installation with every table checked; gives its log lines when it did not succeed.
std::vector<std::string> CleanStore(platform::StoreConnection& store, const std::string& database);

// A single text value of a query ("<none>" when there is no row).
std::string QueryText(platform::StoreConnection& store, const std::string& sql);

}  // namespace quarvel::test
