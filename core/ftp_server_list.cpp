#include "core/ftp_server_list.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/ini_file.h"
#include "core/setting_values.h"

namespace quarvel {

namespace {

constexpr std::string_view kMainSet = "MainSet";
constexpr std::string_view kSetForServer = "SetForServer";

std::string_view Between(std::string_view text, std::string_view open, std::string_view close) {
  size_t p = text.find(open), q = text.find(close);
  if (p == std::string_view::npos || q == std::string_view::npos || q <= p + open.size()) return {};
  return text.substr(p + open.size(), q - p - open.size());
}

class ServerReader {
 public:
  ServerReader(const IniFile& file, int number) : file_(file), number_(number) {}

  std::optional<std::string> Raw(std::string_view section, std::string_view suffix) const {
    return file_.Get(section, FtpServerKey(number_, suffix));
  }
  std::string Text(std::string_view section, std::string_view suffix, std::string_view def = {}) const {
    return Raw(section, suffix).value_or(std::string(def));
  }
  bool Boolean(std::string_view section, std::string_view suffix, bool def) const {
    std::optional<std::string> v = Raw(section, suffix);
    if (!v) return def;
    std::optional<int> n = ParseInteger(*v);
    return n ? *n != 0 : def;
  }

 private:
  const IniFile& file_;
  int number_;
};

// The numbers 1..countlist that carry a "delete" key. A number without one counts as deleted, so
// this gives the same servers as trying every number, without a long loop for a huge countlist.
std::vector<int> CandidateNumbers(const IniFile& file) {
  int count = ParseInteger(file.Get(kMainSet, "countlist").value_or("")).value_or(0);
  std::vector<int> numbers;
  constexpr std::string_view kPrefix = "ftpserver[", kSuffix = "]delete";
  for (const std::string& key : file.Keys(kMainSet)) {
    if (key.size() <= kPrefix.size() + kSuffix.size()) continue;
    std::string lowered = key;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    if (lowered.compare(0, kPrefix.size(), kPrefix) != 0 ||
        lowered.compare(lowered.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
      continue;
    std::string_view digits(key.data() + kPrefix.size(), key.size() - kPrefix.size() - kSuffix.size());
    int n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    // Only the canonical spelling of a number is the key of that server.
    if (ec != std::errc() || end != digits.data() + digits.size() || std::to_string(n) != digits) continue;
    if (n >= 1 && n <= count) numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace

bool FtpServerRecord::IsComplete() const {
  return !url.empty() && !user.empty() && !password.empty() && !path.empty() && !part_code_column.empty() &&
         !stock_column.empty();
}

std::string FtpServerKey(int number, std::string_view suffix) {
  return "ftpserver[" + std::to_string(number) + std::string(suffix);
}

std::vector<FtpServerRecord> ReadFtpServerList(const IniFile& file, std::string_view now_text) {
  std::vector<FtpServerRecord> records;
  for (int n : CandidateNumbers(file)) {
    ServerReader r(file, n);
    if (r.Boolean(kMainSet, "]delete", true)) continue;
    FtpServerRecord s;
    s.number = n;
    s.name = r.Text(kMainSet, "]name", "serv-" + std::to_string(n));
    s.active = r.Boolean(kMainSet, "]active", false);
    s.last_modified = r.Text(kMainSet, "]lastmod", now_text);
    s.url = r.Text(kSetForServer, "]url");
    s.user = r.Text(kSetForServer, "]user");
    s.password = r.Text(kSetForServer, "]psw");
    s.path = r.Text(kSetForServer, "]path");
    s.brand_column = r.Text(kSetForServer, "]brand");
    s.brand_id_column = r.Text(kSetForServer, "]idbrand");
    s.part_code_column = r.Text(kSetForServer, "]codepart");
    s.stock_column = r.Text(kSetForServer, "]stock");
    s.without_column_names = r.Boolean(kSetForServer, "]withoutnamescolumns", false);
    s.limit_lines = ParseInteger(r.Text(kSetForServer, "]limitlines")).value_or(1000000);
    s.several_warehouses_in_one_file = r.Boolean(kSetForServer, "]usesomewarehousesinonefile", false);
    s.use_supplier_numbers = r.Boolean(kSetForServer, "]usesuppliersnrs", false);
    s.warehouse_column = r.Text(kSetForServer, "]colwarehouse");
    s.warehouse_name_in_file = r.Text(kSetForServer, "]namewarehouseinfile");
    s.warehouse = r.Text(kSetForServer, "]namewarehouse");
    s.warehouse_id = std::string(Between(s.warehouse, "{", "}"));
    s.warehouse_name = std::string(Between(s.warehouse, "<", ">"));
    records.push_back(std::move(s));
  }
  return records;
}

std::vector<FtpServerRecord> LoadFtpServerList(const std::filesystem::path& path, std::string_view now_text) {
  return ReadFtpServerList(IniFile::Load(path), now_text);
}

void FillFtpServerList(CheckList& list, const std::vector<FtpServerRecord>& records) {
  list.entries.clear();
  for (const FtpServerRecord& s : records)
    if (s.IsComplete()) list.entries.push_back(CheckListEntry{s.name, std::to_string(s.number), s.active});
  list.filled = true;
}

}  // namespace quarvel
