#include "core/settings.h"

#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <string_view>

#include "core/ftp_server_list.h"
#include "core/ini_file.h"
#include "core/tables_for_cleaning.h"
#include "platform/system_folders.h"

namespace quarvel {

namespace {

using Id = OptionId;

// The sections LoadSettings reads whole; FormEditNames and the column choices belong to the editing
// window.
constexpr std::string_view kMainWindowSections[] = {"ConToTD",    "ConToPresta", "PreparationData",
                                                    "ExportData", "ImportData",  "WorkWithStore"};
constexpr std::string_view kColumnChoiceSections[] = {
    "ExcelExportImport_UpdateDataCategory", "ExcelExportImport_UpdateDataCategoryProduct",
    "ExcelExportImport_UpdateDataProduct", "ExcelExportImport_UpdateDataProductTags",
    "ExcelExportImport_UpdateDataProductFeature"};

void ReadOption(const IniFile& file, Options& options, Id id) {
  const OptionSpec& entry = SpecOf(id);
  if (std::optional<std::string> value = file.Get(entry.section, entry.key))
    options.SetFromFileText(id, *value);
  else
    options.ResetToDefault(id);
}

void ReadSection(const IniFile& file, Options& options, std::string_view section) {
  for (const OptionSpec& entry : AllOptionSpecs())
    if (entry.section == section) ReadOption(file, options, entry.id);
}

void Put(IniFile& file, Id id, std::string_view value) {
  const OptionSpec& entry = SpecOf(id);
  file.Set(entry.section, entry.key, value);
}

void Put(IniFile& file, const Options& options, Id id) { Put(file, id, options.FileText(id)); }

void PutSection(IniFile& file, const Options& options, std::string_view section) {
  for (const OptionSpec& entry : AllOptionSpecs())
    if (entry.section == section) Put(file, options, entry.id);
}

Id CarListKey(int mode) {
  return mode == 1 ? Id::ExportData_CheckListCars_GroupsByBrand : Id::ExportData_CheckListCars_GroupsByModel;
}

int CarListModeOf(const Options& options) {
  return options.Boolean(Id::ExportData_ForCars_groupsByBrands) ? 1 : 2;
}

void WriteCatalogueConnection(IniFile& file, const Options& o) {
  for (Id id : {Id::ConToTD_Server, Id::ConToTD_Driver, Id::ConToTD_Database, Id::ConToTD_Login,
                Id::ConToTD_Pass, Id::ConToTD_Lang, Id::ConToTD_Reg})
    Put(file, o, id);
}

void WriteStoreConnection(IniFile& file, const Options& o) {
  for (Id id : {Id::ConToPresta_Server, Id::ConToPresta_Port, Id::ConToPresta_Database,
                Id::ConToPresta_Prefix, Id::ConToPresta_User, Id::ConToPresta_Pass})
    Put(file, o, id);
}

void WriteExportData(IniFile& file, const Session& session) {
  const Options& o = session.options;
  const SettingsLists& lists = session.lists;
  for (Id id :
       {Id::ExportData_Path_to_data, Id::ExportData_Path_to_images, Id::ExportData_Path_to_data_with_artid,
        Id::ExportData_Path_to_data_with_typid, Id::ExportData_Only_for_values_of_parts_from_file,
        Id::ExportData_Only_for_values_of_cars_from_file, Id::ExportData_ForCars_groupsByBrands,
        Id::ExportData_Models_Only_from_year, Id::ExportData_From_Year_for_models,
        Id::ExportData_Only_selected_brand_of_cars, Id::ExportData_Only_selected_brand_of_parts,
        Id::ExportData_Only_selected_trade_groups, Id::ExportData_Only_selected_groups_of_parts})
    Put(file, o, id);
  // An empty list was never filled (or the catalogue gave nothing): its saved checks stay.
  if (!lists.cars.entries.empty()) Put(file, CarListKey(lists.car_list_mode), lists.cars.CheckedIdList());
  if (!lists.part_brands.entries.empty())
    Put(file, Id::ExportData_CheckListParts_Brand, lists.part_brands.CheckedIdList());
  if (!lists.trade_groups.entries.empty())
    Put(file, Id::ExportData_CheckListParts_ProductGroups, lists.trade_groups.CheckedIdList());
  if (!lists.part_groups.entries.empty())
    Put(file, Id::ExportData_CheckListParts_PartsGroups, lists.part_groups.CheckedIdList());
  for (Id id : {Id::ExportData_Val_NestedData, Id::ExportData_Val_DevideScript, Id::ExportData_ExportAllData,
                Id::ExportData_Only_tables_of_products, Id::ExportData_Only_tables_of_categories,
                Id::ExportData_Only_images_and_logos, Id::ExportData_ExportOnCleanSystem,
                Id::ExportData_AddAdditionalLanguages})
    Put(file, o, id);
}

void WriteImportData(IniFile& file, const Session& session) {
  Put(file, session.options, Id::ImportData_Path_to_data);
  Put(file, session.options, Id::ImportData_GetPause);
  if (!session.lists.cleaning_tables.entries.empty())
    Put(file, Id::ImportData_ListOfTablesForCleaning, session.lists.cleaning_tables.CheckedIdList());
  else
    Put(file, session.options, Id::ImportData_ListOfTablesForCleaning);
}

void WriteWorkWithStore(IniFile& file, const Options& o) {
  for (const OptionSpec& entry : AllOptionSpecs()) {
    if (entry.section != "WorkWithStore") continue;
    if (entry.id == Id::WorkWithStore_FTP_checkEvery) {
      // Outside 1..5 no period is selected; the stored value is then kept as it is.
      int period = o.Integer(entry.id);
      if (period < 1 || period > 5) continue;
    }
    Put(file, o, entry.id);
  }
}

void WriteEditingWindow(IniFile& file, const Session& session) {
  const Options& o = session.options;
  for (Id id : {Id::FormEditNames_FactorMultiplePrices, Id::FormEditNames_QuantityForAvailability,
                Id::FormEditNames_AddColumnActivity, Id::FormEditNames_AllListValCryteriesToName})
    Put(file, o, id);
  // Lists the editing window never filled in this run would otherwise wipe the saved checks.
  if (session.lists.edit_criteria.filled)
    Put(file, Id::FormEditNames_CheckList, session.lists.edit_criteria.CheckedIdList());
  if (session.lists.edit_brands.filled)
    Put(file, Id::FormEditNames_CheckListBrands, session.lists.edit_brands.CheckedIdList());
  for (std::string_view section : kColumnChoiceSections) PutSection(file, o, section);
}

std::string LocalTimeText() {
  std::time_t now = std::time(nullptr);
  char buffer[64] = {};
  if (const std::tm* tm = std::localtime(&now)) std::strftime(buffer, sizeof buffer, "%x %X", tm);
  return buffer;
}

bool FolderIsWritable(const std::filesystem::path& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return false;
  std::filesystem::path probe = folder / ".quarvel-write-probe";
  std::FILE* f = std::fopen(probe.string().c_str(), "wbx");
  if (f == nullptr) {
    // A probe left behind by a crash still proves the folder takes files, once it can be removed.
    return std::filesystem::remove(probe, ec) && !ec;
  }
  std::fclose(f);
  std::filesystem::remove(probe, ec);
  return true;
}

CheckList& ListOf(SettingsLists& lists, SelectionList which) {
  switch (which) {
    case SelectionList::Cars:
      return lists.cars;
    case SelectionList::PartBrands:
      return lists.part_brands;
    case SelectionList::TradeGroups:
      return lists.trade_groups;
    case SelectionList::PartGroups:
      break;
  }
  return lists.part_groups;
}

Id PartListKey(SelectionList which) {
  switch (which) {
    case SelectionList::PartBrands:
      return Id::ExportData_CheckListParts_Brand;
    case SelectionList::TradeGroups:
      return Id::ExportData_CheckListParts_ProductGroups;
    default:
      return Id::ExportData_CheckListParts_PartsGroups;
  }
}

std::string ValueOrDefault(const IniFile& file, Id id) {
  const OptionSpec& entry = SpecOf(id);
  return file.Get(entry.section, entry.key).value_or(std::string(entry.default_text));
}

}  // namespace

std::filesystem::path ResolveSettingsFile(const std::filesystem::path& program_folder,
                                          const std::optional<std::filesystem::path>& given) {
  if (given) return std::filesystem::absolute(*given);
  if (FolderIsWritable(program_folder)) return program_folder / kSettingsFileName;
  std::filesystem::path base = platform::UserConfigurationBase();
  if (base.empty())
    throw std::runtime_error("The folder \"" + program_folder.string() +
                             "\" is not writable and no user configuration folder is known");
  std::filesystem::path folder = base / "Quarvel";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw std::runtime_error("Cannot create folder \"" + folder.string() + "\": " + ec.message());
  return folder / kSettingsFileName;
}

void LoadSettings(Session& session) {
  IniFile file = IniFile::Load(session.settings_file);
  Options& o = session.options;
  for (std::string_view section : kMainWindowSections) ReadSection(file, o, section);
  session.lists.car_list_mode = CarListModeOf(o);
  FillCleaningTables(session.lists.cleaning_tables, o.Text(Id::ImportData_ListOfTablesForCleaning));
  FillFtpServerList(session.lists.ftp_servers,
                    LoadFtpServerList(session.Folder() / kFtpServerListFileName, LocalTimeText()));
}

void LoadEditingWindowSettings(Session& session) {
  IniFile file = IniFile::Load(session.settings_file);
  for (Id id : {Id::FormEditNames_FactorMultiplePrices, Id::FormEditNames_QuantityForAvailability,
                Id::FormEditNames_AddColumnActivity, Id::FormEditNames_AllListValCryteriesToName})
    ReadOption(file, session.options, id);
  for (std::string_view section : kColumnChoiceSections) ReadSection(file, session.options, section);
}

void ReadOptionsFromFile(Session& session, std::initializer_list<OptionId> ids) {
  IniFile file = IniFile::Load(session.settings_file);
  for (Id id : ids) ReadOption(file, session.options, id);
}

void SaveOptions(const Session& session, std::initializer_list<OptionId> ids) {
  IniFile file = IniFile::Load(session.settings_file);
  for (Id id : ids) Put(file, session.options, id);
  file.Save(session.settings_file);
}

void SaveCatalogueConnection(const Session& session) {
  IniFile file = IniFile::Load(session.settings_file);
  WriteCatalogueConnection(file, session.options);
  file.Save(session.settings_file);
}

void SaveStoreConnection(const Session& session) {
  IniFile file = IniFile::Load(session.settings_file);
  WriteStoreConnection(file, session.options);
  file.Save(session.settings_file);
}

std::string SaveAdditionalLanguages(Session& session) {
  std::string checked = session.lists.additional_languages.CheckedIdList();
  session.options.SetText(Id::ConToTD_ListAdditionalLanguages, checked);
  SaveOptions(session, {Id::ConToTD_ListAdditionalLanguages});
  std::string caption = "Exporting data for additional languages : ";
  for (const CheckListEntry& e : session.lists.additional_languages.entries) {
    if (!e.checked) continue;
    // The ISO code is the text between the entry's first "[" and its first "]".
    size_t open = e.text.find('['), close = e.text.find(']');
    if (open != std::string::npos && close != std::string::npos && close > open + 1)
      caption += e.text.substr(open + 1, close - open - 1);
    caption += ' ';
  }
  return caption;
}

void RefreshSelectionList(Session& session, SelectionList which,
                          const std::function<void(CheckList&)>& fill) {
  CheckList& list = ListOf(session.lists, which);
  const bool cars = which == SelectionList::Cars;
  const int old_mode = session.lists.car_list_mode;
  const int new_mode = cars ? CarListModeOf(session.options) : old_mode;
  const Id key = cars ? CarListKey(old_mode) : PartListKey(which);

  std::string checks;
  if (!list.entries.empty()) {
    checks = list.CheckedIdList();
  } else {
    checks = ValueOrDefault(IniFile::Load(session.settings_file), key);
  }

  if (cars) {
    IniFile file = IniFile::Load(session.settings_file);
    Put(file, key, checks);
    session.options.SetText(key, checks);
    if (new_mode != old_mode) {
      // Each mode keeps its own checks: brands and models have unrelated ids.
      checks = ValueOrDefault(file, CarListKey(new_mode));
      session.options.SetText(CarListKey(new_mode), checks);
    }
    file.Save(session.settings_file);
  }

  CheckList fresh;
  fill(fresh);
  fresh.CheckFromIdList(checks);
  fresh.filled = true;
  list = std::move(fresh);
  if (cars) session.lists.car_list_mode = new_mode;
}

bool SaveSettingsOnClose(Session& session, Ui& ui, const std::function<void()>& disconnect) {
  if (session.ftp_check_running) {
    ui.Inform("Fisrt need stop process check ftp servers !");
    return false;
  }
  if (disconnect) {
    try {
      disconnect();
    } catch (...) {
      // A connection that cannot be closed cleanly must not keep the settings from being saved.
    }
  }

  // One read and one replacement for every key of the close, so a failure leaves the whole file as
  // it was instead of half the steps applied.
  IniFile file = IniFile::Load(session.settings_file);
  const Options& o = session.options;
  WriteCatalogueConnection(file, o);
  WriteStoreConnection(file, o);
  PutSection(file, o, "PreparationData");
  WriteExportData(file, session);
  WriteImportData(file, session);
  WriteWorkWithStore(file, o);
  WriteEditingWindow(file, session);
  file.Save(session.settings_file);

  if (!session.lists.ftp_servers.entries.empty()) {
    std::filesystem::path ftp_path = session.Folder() / kFtpServerListFileName;
    IniFile ftp = IniFile::Load(ftp_path);
    for (const CheckListEntry& e : session.lists.ftp_servers.entries)
      ftp.Set("MainSet", "ftpserver[" + e.id + "]active", e.checked ? "1" : "0");
    ftp.Save(ftp_path);
  }
  return true;
}

}  // namespace quarvel
