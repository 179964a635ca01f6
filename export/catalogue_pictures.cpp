#include "export/catalogue_pictures.h"

#include <charconv>
#include <fstream>
#include <system_error>
#include <vector>

#include "core/error_text.h"
#include "core/log_file.h"
#include "core/text.h"
#include "export/reading_helpers.h"

namespace quarvel::exporting {

namespace {

constexpr char kErrorPrefix[] = "   [error:ExportImages] ";
constexpr char kUserAgent[] = "Mozilla/5.0 (compatible; TarlundUpload)";

void LogPictureError(ExportRun& run, const std::string& text) {
  LogLine(run, PlainTimeStamp() + kErrorPrefix + text);
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Saves bytes under a temporary name first, so a failing disk never leaves half a picture under the
// name the stage looks for; an existing file is replaced. Unlike WriteFileAtomically nothing is synced:
// an export saves thousands of pictures, and the catalogue still holds every one of them.
void SaveBytes(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temp = target;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      throw std::runtime_error("cannot write the file " + target.string());
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, target, error);
  if (error) {
    std::filesystem::remove(temp, error);
    throw std::runtime_error("cannot write the file " + target.string());
  }
}

std::filesystem::path PictureFile(const std::filesystem::path& folder, std::int64_t article_id, int n,
                                  const std::string& ext) {
  std::string name = std::to_string(article_id);
  if (n > 0) name += "." + std::to_string(n);
  return folder / (name + "." + ext);
}

// Reads one picture's bytes from its numbered table; false when the table gives no record.
bool ReadPictureData(PictureServices& services, const std::string& table, std::int64_t grd_id,
                     std::string& bytes) {
  if (services.catalogue == nullptr || !services.catalogue->IsOpen())
    throw std::runtime_error("the catalogue connection for pictures is not open");
  platform::CatalogueCursor cursor = services.catalogue->Query(PictureDataSql(table, grd_id));
  if (cursor.AtEnd()) return false;
  bytes = cursor.Text(0);
  return true;
}

bool Download(ExportRun& run, PictureServices& services, const std::string& url,
              const std::filesystem::path& target) {
  platform::HttpDownloadRequest request;
  request.url = url;
  request.headers = {
      "Accept: */*", "Accept-Encoding: gzip, deflate", "Connection: Keep-Alive",
      "Authorization: Basic " + Base64(Trim(services.storage.user) + ":" + Trim(services.storage.password))};
  request.user_agent = kUserAgent;
  request.time_limit = services.download_limit;
  request.keep_going = [&run] {
    run.ui.Pump();
    return !(run.stop_requested && run.stop_requested());
  };
  const platform::HttpDownloadResult result = services.download(request, target);
  using Outcome = platform::HttpDownloadOutcome;
  switch (result.outcome) {
    case Outcome::kSaved:
      return true;
    case Outcome::kBadStatus:
      LogPictureError(
          run, "File not found [" + url + "]. Code status HTTP (" + std::to_string(result.status) + ")");
      break;
    case Outcome::kTimedOut:
      LogPictureError(
          run,
          "Large time interval download file, perhaps : no internet / incorrect internet connection "
          "settings. File : [" +
              url + "].");
      break;
    case Outcome::kStopped:
      break;  // the stage's next stop check asks the user
    case Outcome::kReadFailed:
      LogPictureError(run, "Error downloading the file : [" + url + "].");
      break;
    case Outcome::kNoConnection:
      LogPictureError(run, "Incorrect settings Internet or no Internet.");
      break;
    case Outcome::kOtherError:
      LogPictureError(run, result.error_kind + " : " + result.message);
      break;
  }
  return false;
}

}  // namespace

std::string PictureStorageSql() {
  return JoinSqlLines({"SELECT  PAR_NAME,\tPAR_VALUE  FROM  TOF_PARAMETERS",
                       "WHERE ((PAR_NAME='GRAPHIC_PASSWORD') OR (PAR_NAME='GRAPHIC_URL') or "
                       "(PAR_NAME='GRAPHIC_USER'))"});
}

std::string ArticlePicturesSql(int country_id, std::int64_t article_id, std::int64_t supplier_id) {
  return JoinSqlLines({
      "SELECT DISTINCT  ",
      "    CAST(TOF_GRAPHICS.GRA_TAB_NR AS VARCHAR(*))  AS  NUMBERTABLE, ",
      "    CAST(TOF_GRAPHICS.GRA_GRD_ID AS VARCHAR(*))  AS  GRD_ID, ",
      "    TOF_DOC_TYPES.DOC_EXTENSION  AS  EXT, ",
      "    TOF_GRAPHICS.GRA_ID  AS  GRAID, ",
      "    CAST(TOF_GRAPHICS.GRA_LNG_ID AS VARCHAR(*))  AS  LNGID ",
      "FROM  TOF_GRAPHICS  JOIN  TOF_LINK_GRA_ART  ON (TOF_GRAPHICS.GRA_ID=TOF_LINK_GRA_ART.LGA_GRA_ID)",
      "      JOIN TOF_DOC_TYPES ON (TOF_DOC_TYPES.DOC_TYPE=TOF_GRAPHICS.GRA_DOC_TYPE)",
      "WHERE (" + CountryTest("TOF_LINK_GRA_ART.LGA_CTM", country_id) + ")",
      "      AND (TOF_LINK_GRA_ART.LGA_ART_ID=" + std::to_string(article_id) + ")",
      "      AND (TOF_GRAPHICS.GRA_SUP_ID=" + std::to_string(supplier_id) + ")",
      "      AND (UPPER(TOF_DOC_TYPES.DOC_EXTENSION)<>'PDF')",
      "      and (TOF_DOC_TYPES.DOC_EXTENSION IS NOT NULL)",
      "ORDER BY GRD_ID",
  });
}

std::string PictureDataSql(std::string_view table_number, std::int64_t grd_id) {
  return JoinSqlLines({"SELECT  ", "    GRD_GRAPHIC ", "FROM TOF_GRA_DATA_" + std::string(table_number),
                       "WHERE (GRD_ID = " + std::to_string(grd_id) + ")"});
}

std::string BrandLogoSql(std::int64_t brand_id, int language_id, int country_id) {
  return JoinSqlLines({"SELECT  ", "    SLO_LOGO  ", "FROM TOF_SUPPLIER_LOGOS",
                       "WHERE (SLO_SUP_ID = " + std::to_string(brand_id) +
                           ") AND ((SLO_LNG_ID = " + std::to_string(language_id) + ") OR (SLO_LNG_ID = 255))",
                       " AND (" + CountryTest("SLO_CTM", country_id) + ")"});
}

std::string Base64(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += kAlphabet[v >> 6 & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18 & 63];
    out += kAlphabet[v >> 12 & 63];
    out += rest == 2 ? kAlphabet[v >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

std::string PictureUrl(const std::string& url, const std::string& graid, const std::string& lngid,
                       const std::string& ext) {
  const std::string head = Trim(graid).substr(0, 4);
  std::int64_t folder = 0;
  std::from_chars(head.data(), head.data() + head.size(), folder);
  return url + std::to_string(folder) + "/" + Trim(graid) + Trim(lngid) + "." + Trim(ext);
}

std::string PlainTimeStamp() {
  std::string stamp = LogTimeStamp();
  if (stamp.starts_with('[')) stamp.erase(0, 1);
  if (stamp.ends_with(']')) stamp.pop_back();
  return stamp;
}

void ReadPictureStorage(ExportRun& run, PictureServices& services) {
  // Asked once per run when the catalogue has no account: the answer does not change within a run.
  if (services.storage.AccountKnown() || services.storage_read_in_run) return;
  services.storage_read_in_run = true;
  PictureStorage storage;
  try {
    for (platform::CatalogueCursor cursor = run.session.catalogue.Query(PictureStorageSql()); !cursor.AtEnd();
         cursor.Next()) {
      const std::string name = Trim(cursor.Text(0));
      const std::string& value = cursor.Text(1);
      if (name == "GRAPHIC_USER") storage.user = value;
      if (name == "GRAPHIC_PASSWORD") storage.password = value;
      if (name == "GRAPHIC_URL") storage.url = Trim(value);
    }
  } catch (const std::exception& failure) {
    LogPictureError(run, ErrorText(failure));
  }
  if (!storage.url.empty() && !storage.url.ends_with('/')) storage.url += '/';
  services.storage = storage;
}

std::optional<std::string> ExportArticlePictures(ExportRun& run, PictureServices& services,
                                                 const std::filesystem::path& temp, std::int64_t supplier_id,
                                                 std::int64_t article_id) {
  ReadPictureStorage(run, services);
  struct Row {
    std::string table, grd_id, ext, graid, lngid;
  };
  std::vector<Row> rows;
  try {
    for (platform::CatalogueCursor cursor =
             run.session.catalogue.Query(ArticlePicturesSql(run.CountryId(), article_id, supplier_id));
         !cursor.AtEnd(); cursor.Next()) {
      rows.push_back({Trim(cursor.Text("NUMBERTABLE")), Trim(cursor.Text("GRD_ID")), Trim(cursor.Text("EXT")),
                      Trim(cursor.Text("GRAID")), Trim(cursor.Text("LNGID"))});
    }
  } catch (const std::exception& failure) {
    LogPictureError(run, ErrorText(failure));
    return std::nullopt;
  }
  if (rows.empty()) return std::nullopt;

  // Every picture of the article takes the extension of its first one; the user's setting stays.
  const std::string ext = rows.front().ext;
  const std::filesystem::path folder = temp / std::to_string(supplier_id);
  std::error_code error;
  std::filesystem::create_directories(folder, error);

  int n = -1;
  std::string bytes;
  for (const Row& row : rows) {
    if (!row.table.empty() && !row.grd_id.empty()) {
      const std::optional<std::int64_t> grd_id = ParseId(row.grd_id);
      try {
        // Only digits may become part of a table name.
        if (!AllDigits(row.table) || !grd_id) throw std::runtime_error("not a picture table");
        if (!ReadPictureData(services, row.table, *grd_id, bytes)) continue;
        SaveBytes(PictureFile(folder, article_id, n + 1, ext), bytes);
        ++n;
      } catch (const std::exception&) {
        LogPictureError(run, "export image with GRD_ID = " + row.grd_id +
                                 " was missed as is problem with table \"" + "TOF_GRA_DATA_" + row.table +
                                 "\". ");
      }
    } else if (!services.storage.url.empty() && services.download) {
      // A failed download takes no number: the pictures after it still follow without a gap.
      const std::string url = PictureUrl(services.storage.url, row.graid, row.lngid, row.ext);
      if (Download(run, services, url, PictureFile(folder, article_id, n + 1, ext))) ++n;
    }
  }
  return ext;
}

void ExportBrandLogo(ExportRun& run, PictureServices& services, const std::filesystem::path& temp,
                     std::int64_t brand_id) {
  try {
    if (services.catalogue == nullptr || !services.catalogue->IsOpen())
      throw std::runtime_error("the catalogue connection for pictures is not open");
    platform::CatalogueCursor cursor =
        services.catalogue->Query(BrandLogoSql(brand_id, run.LanguageId(), run.CountryId()));
    if (cursor.AtEnd() || cursor.IsNull(0)) return;
    SaveBytes(temp / (std::to_string(brand_id) + ".jpg"), cursor.Text(0));
  } catch (const std::exception& failure) {
    LogPictureError(run, ErrorText(failure));
  }
}

}  // namespace quarvel::exporting
