#include "export/export_parameters.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/setting_values.h"
#include "core/text.h"

namespace quarvel::exporting {

namespace {

std::string DecimalText(int value) {
  char buffer[16];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// A count of the settings: its fallback when the text is not a whole number. Values below 1 act as 1 for
// the script sizes, so that a statement is never closed with no rows in it.
int CountOf(const std::string& text, int fallback, int minimum) {
  std::optional<int> value = ParseInteger(text);
  if (!value) return fallback;
  return *value < minimum ? minimum : *value;
}

}  // namespace

std::filesystem::path ExportFolderPath(const std::string& text) {
  std::filesystem::path folder(text);
  if (!folder.empty() && !folder.native().ends_with(std::filesystem::path::preferred_separator)) folder /= "";
  return folder;
}

bool ExportFolderExists(const std::string& text) {
  if (Trim(text).empty()) return false;
  std::error_code error;
  return std::filesystem::is_directory(std::filesystem::path(text), error);
}

std::string ReadDescriptionText(const std::string& file_name) {
  if (file_name.empty()) return {};
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(file_name), error)) return {};
  std::ifstream in(std::filesystem::path(file_name), std::ios::binary);
  if (!in) return {};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

std::string SelectionIdList(const CheckList& list, bool only_specified) {
  if (!only_specified) return {};
  std::string ids;
  for (const CheckListEntry& entry : list.entries) {
    if (!entry.checked) continue;
    if (!ids.empty()) ids += ',';
    ids += entry.id;
  }
  return ids;
}

void BuildSelectionIdLists(const Session& session, ExportParameters& params) {
  const Options& o = session.options;
  const SettingsLists& lists = session.lists;
  std::string cars = SelectionIdList(lists.cars, o.Boolean(OptionId::ExportData_Only_selected_brand_of_cars));
  params.car_brand_ids = lists.car_list_mode == 2 ? std::string() : cars;
  params.car_model_ids = lists.car_list_mode == 2 ? cars : std::string();
  params.part_brand_ids =
      SelectionIdList(lists.part_brands, o.Boolean(OptionId::ExportData_Only_selected_brand_of_parts));
  params.trade_group_ids =
      SelectionIdList(lists.trade_groups, o.Boolean(OptionId::ExportData_Only_selected_trade_groups));
  params.part_group_ids =
      SelectionIdList(lists.part_groups, o.Boolean(OptionId::ExportData_Only_selected_groups_of_parts));
}

ExportParameters ReadExportParameters(const Session& session) {
  const Options& o = session.options;
  ExportParameters p;
  p.export_folder = ExportFolderPath(o.Text(OptionId::ExportData_Path_to_data));
  p.table_prefix = session.TablePrefix();
  p.category_description = ReadDescriptionText(o.Text(OptionId::PreparationData_Cat_path_to_file_desc));
  p.product_description = ReadDescriptionText(o.Text(OptionId::PreparationData_Pro_path_to_file_desc));
  p.short_description = ReadDescriptionText(o.Text(OptionId::PreparationData_Pro_path_to_file_short_desc));
  p.in_stock_text = o.Text(OptionId::PreparationData_In_stock);
  p.backorder_text = o.Text(OptionId::PreparationData_Not_in_stock);
  p.condition = o.Text(OptionId::PreparationData_Pro_contition);
  p.visibility = o.Text(OptionId::PreparationData_Pro_visibility);
  std::optional<int> out_of_stock = ParseInteger(o.Text(OptionId::PreparationData_Pro_out_of_stock));
  p.out_of_stock = out_of_stock ? DecimalText(*out_of_stock) : "2";
  std::optional<int> threads = ParseInteger(o.Text(OptionId::PreparationData_CountPotokForConverImg));
  p.converter_threads = threads && *threads >= 1 ? *threads : 10;
  p.rows_per_statement = CountOf(o.Text(OptionId::ExportData_Val_NestedData), 1000, 1);
  p.statements_per_file = CountOf(o.Text(OptionId::ExportData_Val_DevideScript), 1000, 1);
  p.clean_store = o.Boolean(OptionId::ExportData_ExportOnCleanSystem);
  p.all_data = o.Boolean(OptionId::ExportData_ExportAllData);
  p.tables_of_products = o.Boolean(OptionId::ExportData_Only_tables_of_products);
  p.tables_of_categories = o.Boolean(OptionId::ExportData_Only_tables_of_categories);
  p.images_and_logos = o.Boolean(OptionId::ExportData_Only_images_and_logos);
  BuildSelectionIdLists(session, p);
  return p;
}

std::string AdditionalLanguageList(const CheckList& languages) {
  std::string list;
  for (const CheckListEntry& entry : languages.entries) {
    if (!entry.checked) continue;
    std::string iso = TagValue(entry.text, "[", "]");
    list += "[" + iso + "]<#" + iso + ">" + entry.id + "</#" + iso + ">";
  }
  return list;
}

std::string StoreLanguagesSql(const std::string& prefix, int default_lang_id) {
  return "SELECT  \n"
         "   l.id_lang as id_lang, \n"
         "   l.iso_code as isocode\n"
         "FROM " +
         prefix + "lang as l\nwhere l.id_lang <> " + DecimalText(default_lang_id);
}

std::vector<ExportLanguage> MatchExportLanguages(const std::string& language_list,
                                                 platform::StoreConnection& store, const std::string& prefix,
                                                 int default_lang_id) {
  std::vector<ExportLanguage> languages;
  if (Trim(language_list).empty()) return languages;
  for (auto row = store.Query(StoreLanguagesSql(prefix, default_lang_id)); !row.AtEnd(); row.Next()) {
    std::string iso = row.Text("isocode");
    // A blank code would pair a store language with whichever catalogue language has none.
    if (Trim(iso).empty()) continue;
    if (language_list.find("[" + iso + "]") == std::string::npos) continue;
    ExportLanguage language;
    language.store_lang_id = static_cast<int>(row.Int64("id_lang"));
    language.catalogue_lang_id =
        ParseInteger(TagValue(language_list, "<#" + iso + ">", "</#" + iso + ">")).value_or(0);
    language.iso = iso;
    languages.push_back(std::move(language));
  }
  return languages;
}

std::string ExportLanguagesText(const std::vector<ExportLanguage>& languages) {
  std::string text;
  int n = 0;
  for (const ExportLanguage& language : languages) {
    std::string k = DecimalText(++n);
    text += "<ps_id_lang#" + k + ">" + DecimalText(language.store_lang_id) + "</ps_id_lang#" + k + ">";
    text += "<tc_id_lang#" + k + ">" + DecimalText(language.catalogue_lang_id) + "</tc_id_lang#" + k + ">";
    text += "<tc_lang_name#" + k + ">" + language.iso + "</tc_lang_name#" + k + ">";
  }
  if (n > 0) text += "<count>" + DecimalText(n) + "</count>";
  return text;
}

}  // namespace quarvel::exporting
