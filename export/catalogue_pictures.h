#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "export/export_context.h"
#include "export/picture_services.h"

namespace quarvel::exporting {

// Taking part pictures and brand logos out of the catalogue into the temporary picture folder:
// from its numbered picture tables, or downloaded from its web picture storage.

// The statements, as the catalogue is asked.
std::string PictureStorageSql();
std::string ArticlePicturesSql(int country_id, std::int64_t article_id, std::int64_t supplier_id);
std::string PictureDataSql(std::string_view table_number, std::int64_t grd_id);
std::string BrandLogoSql(std::int64_t brand_id, int language_id, int country_id);

// Standard Base64 with "=" padding.
std::string Base64(std::string_view bytes);
// The storage address of a picture: url + the first four characters of GRAID as a number + "/" +
// GRAID + LNGID + "." + EXT.
std::string PictureUrl(const std::string& url, const std::string& graid, const std::string& lngid,
                       const std::string& ext);
// "date time" of a log line that carries no brackets around its time stamp.
std::string PlainTimeStamp();

// Reads the storage account and address when the account is not yet known. Failures are logged.
void ReadPictureStorage(ExportRun& run, PictureServices& services);

// Saves the article's catalogue pictures as temp/<supplier>/<article>[.<n>].<ext>; gives the
// extension they were saved with, or nothing when the catalogue lists no picture of the article.
// Failures are logged and skipped.
std::optional<std::string> ExportArticlePictures(ExportRun& run, PictureServices& services,
                                                 const std::filesystem::path& temp, std::int64_t supplier_id,
                                                 std::int64_t article_id);

// Saves the brand's catalogue logo as temp/<brand>.jpg when the catalogue has one.
void ExportBrandLogo(ExportRun& run, PictureServices& services, const std::filesystem::path& temp,
                     std::int64_t brand_id);

}  // namespace quarvel::exporting
