#include "core/catalogue_connection_ops.h"

#include <exception>

#include "core/error_text.h"
#include "core/ini_file.h"
#include "core/setting_values.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/registry.h"

namespace quarvel {

namespace {

using Id = OptionId;

// Catalogue statements are single texts whose lines are joined by carriage returns.
std::string JoinLines(std::initializer_list<std::string> lines) {
  std::string sql;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) sql += '\r';
    sql += line;
    first = false;
  }
  return sql;
}

// The name of a designation id of `owner_column` in language `language_id`.
std::string DesignationSubquery(int language_id, const std::string& owner_column, const std::string& alias) {
  return " (SELECT TOF_DES_TEXTS.TEX_TEXT FROM TOF_DES_TEXTS JOIN TOF_DESIGNATIONS ON "
         "(TOF_DES_TEXTS.TEX_ID=TOF_DESIGNATIONS.DES_TEX_ID) WHERE (TOF_DESIGNATIONS.DES_LNG_ID = " +
         std::to_string(language_id) + ") AND (TOF_DESIGNATIONS.DES_ID=" + owner_column + ")) as " + alias;
}

std::string FirstText(platform::CatalogueConnection& catalogue, const std::string& sql) {
  platform::CatalogueCursor cursor = catalogue.Query(sql);
  return cursor.AtEnd() ? std::string() : cursor.Text(0);
}

std::string ConnectedStatus(const Session& session) {
  return "Setting for TecDoc : Language export [" + session.catalogue_choices.language_name +
         "] | Region export [" + session.catalogue_choices.region_name + "]";
}

void SetCatalogueState(Session& session, bool connected, std::string status) {
  session.catalogue_state.connected = connected;
  if (!status.empty()) session.catalogue_state.status = std::move(status);
  session.NotifyConnectionState();
}

void ReportConnectError(Session& session, const std::exception& error) {
  session.catalogue.Close();
  SetCatalogueState(session, false, "Setting for TecDoc : Error connecting to TecDoc [" + ErrorText(error) + "]");
}

// Connects from the options, saves them and refreshes the lists. Throws on any failure.
void ConnectAndRefresh(Session& session, Ui& ui) {
  session.catalogue.Close();
  session.catalogue.Connect(session.options.Text(Id::ConToTD_Driver), session.options.Text(Id::ConToTD_Database),
                            session.options.Text(Id::ConToTD_Login), session.options.Text(Id::ConToTD_Pass));
  try {
    SaveCatalogueConnection(session);
  } catch (const std::exception& e) {
    // The connection works; only the settings file could not take it.
    ui.Error(e.what());
  }
  RefreshCatalogueLists(session, ui);
  SetCatalogueState(session, true, ConnectedStatus(session));
}

std::string AdditionalLanguagesCaption(const CheckList& list) {
  std::string caption = "Exporting data for additional languages : ";
  for (const CheckListEntry& entry : list.entries)
    if (entry.checked) caption += TagValue(entry.text, "[", "]") + " ";
  return caption;
}

}  // namespace

std::string LanguageNameSql(int language_id) {
  return JoinLines({"SELECT DISTINCT ", DesignationSubquery(language_id, "TOF_LANGUAGES.LNG_DES_ID", "LangName"),
                    " FROM TOF_LANGUAGES", " WHERE (LNG_ID = " + std::to_string(language_id) + ")"});
}

std::string RegionNameSql(int language_id, int country_id) {
  return JoinLines({"SELECT DISTINCT ", DesignationSubquery(language_id, "TOF_COUNTRIES.COU_DES_ID", "CountreName"),
                    " FROM TOF_COUNTRIES", " WHERE (COU_ID = " + std::to_string(country_id) + ")"});
}

std::string AdditionalLanguagesSql(int language_id) {
  return JoinLines({"SELECT DISTINCT ", " CAST(LNG_ID AS VARCHAR(*)) as LNG_ID, ", " LNG_ISO2 as ISOCODE, ",
                    DesignationSubquery(language_id, "TOF_LANGUAGES.LNG_DES_ID", "NAME"), " FROM TOF_LANGUAGES"});
}

std::string LanguageListSql(int language_id) {
  return JoinLines({"SELECT DISTINCT ", " CAST(LNG_ID AS VARCHAR(*)) as LNGID, ",
                    DesignationSubquery(language_id, "TOF_LANGUAGES.LNG_DES_ID", "LNGNAME"), " FROM TOF_LANGUAGES",
                    " ORDER BY LNGNAME"});
}

std::string RegionListSql(int language_id, bool country_groups) {
  return JoinLines({"SELECT DISTINCT ", " CAST(COU_ID AS VARCHAR(*)) as T1, ",
                    DesignationSubquery(language_id, "TOF_COUNTRIES.COU_DES_ID", "T2"), " FROM TOF_COUNTRIES",
                    country_groups ? " WHERE (COU_CURRENCY_CODE IS NULL) ORDER BY T2"
                                   : " WHERE (TOF_COUNTRIES.COU_CURRENCY_CODE IS NOT NULL) ORDER BY T2"});
}

void TestCatalogueConnection(Session& session, Ui& ui) {
  try {
    ConnectAndRefresh(session, ui);
  } catch (const std::exception& e) {
    ReportConnectError(session, e);
  }
}

std::string CatalogueDataSourceFile(const std::string& install_dir) {
  if (Trim(install_dir).empty()) return {};
  return install_dir + (install_dir.back() == '\\' ? "pb\\tof.dsn" : "\\pb\\tof.dsn");
}

void DiscoverCatalogue(Session& session, Ui& ui) {
  TestCatalogueConnection(session, ui);
  if (session.catalogue.IsOpen()) return;
  session.catalogue.Close();
  std::string file =
      CatalogueDataSourceFile(platform::ReadMachineRegistryText("SOFTWARE\\TECDOC\\TECDOC CD", "INSTALL_DIR"));
  // Without an installed catalogue there is nothing to discover; the user's own DRIVER and
  // DATABASE stay as they are instead of being wiped and saved empty on close.
  if (file.empty()) return;
  std::string driver, database;
  try {
    IniFile dsn = IniFile::Load(file);
    driver = dsn.Get("ODBC", "DRIVER").value_or("");
    database = dsn.Get("ODBC", "DATABASE").value_or("");
  } catch (const std::exception&) {
    // An unreadable data-source file counts as a missing one.
  }
  std::string old_driver = session.options.Text(Id::ConToTD_Driver);
  std::string old_database = session.options.Text(Id::ConToTD_Database);
  session.options.SetText(Id::ConToTD_Driver, driver);
  session.options.SetText(Id::ConToTD_Database, database);
  TestCatalogueConnection(session, ui);
  if (!session.catalogue.IsOpen()) {
    // The discovered values did not work either: keep what the user had typed.
    session.options.SetText(Id::ConToTD_Driver, old_driver);
    session.options.SetText(Id::ConToTD_Database, old_database);
  }
}

std::string CatalogueConnectionHelpText() {
  const std::string rule(37, '-');
  return JoinLines({"If the file of data source \"tof.dsn\" is not found :", rule, "",
                    "1. Can try enter data for manually connect, for example for  ver 03/2014 :", "---",
                    "    driver=Transbase ODBC TECDOC CD 3_2014", "    database=TECDOC_CD_3_2014", "    Login=tecdoc",
                    "    password=mkq_lanyx_5", "---",
                    "Next, create a connection string and test connections to  as shown on video.", "",
                    "2. If you have 64-bit windows, you need to create a data source using the program "
                    "\"C:\\Windows\\SysWOW64\\odbcad32.exe\"",
                    rule});
}

void ShowCatalogueConnectionHelp(Ui& ui) { ui.Inform(CatalogueConnectionHelpText()); }

void RefreshCatalogueLists(Session& session, Ui& ui) {
  if (!session.catalogue.IsOpen()) return;
  const int language = session.CatalogueLanguageId();
  const int country = session.CatalogueCountryId();
  CatalogueChoices& choices = session.catalogue_choices;

  choices.language_name = FirstText(session.catalogue, LanguageNameSql(language));
  choices.region_name = FirstText(session.catalogue, RegionNameSql(language, country));
  session.catalogue_state.status = ConnectedStatus(session);

  if (session.refresh_selection_lists) session.refresh_selection_lists(session);

  choices.addcritery_entries.clear();
  for (auto& entries : choices.dimension_entries) entries.clear();

  CheckList& additional = session.lists.additional_languages;
  additional.entries.clear();
  for (platform::CatalogueCursor c = session.catalogue.Query(AdditionalLanguagesSql(language)); !c.AtEnd(); c.Next())
    additional.entries.push_back({c.Text("NAME") + " > iso:[" + Trim(c.Text("ISOCODE")) + "]", c.Text("LNG_ID"), false});
  additional.filled = true;
  ReadOptionsFromFile(session, {Id::ConToTD_ListAdditionalLanguages});
  additional.CheckFromIdList(session.options.Text(Id::ConToTD_ListAdditionalLanguages));
  choices.additional_languages_caption = AdditionalLanguagesCaption(additional);
  (void)ui;
  session.NotifyConnectionState();
}

void ListCatalogueLanguages(Session& session, Ui& ui) {
  if (!session.catalogue.IsOpen()) return;
  try {
    std::vector<ChoiceEntry> entries;
    for (auto c = session.catalogue.Query(LanguageListSql(session.CatalogueLanguageId())); !c.AtEnd(); c.Next())
      entries.push_back({c.Text("LNGNAME"), c.Text("LNGID")});
    session.catalogue_choices.languages = std::move(entries);
  } catch (const std::exception& e) {
    ui.Error(ErrorText(e));
  }
}

void ListCatalogueRegions(Session& session, Ui& ui) {
  if (!session.catalogue.IsOpen()) return;
  try {
    std::vector<ChoiceEntry> entries;
    const int language = session.CatalogueLanguageId();
    for (auto c = session.catalogue.Query(RegionListSql(language, true)); !c.AtEnd(); c.Next())
      entries.push_back({"[GroupCounties] : " + c.Text("T2"), c.Text("T1")});
    for (auto c = session.catalogue.Query(RegionListSql(language, false)); !c.AtEnd(); c.Next())
      entries.push_back({"[Countries] : " + c.Text("T2"), c.Text("T1")});
    session.catalogue_choices.regions = std::move(entries);
  } catch (const std::exception& e) {
    ui.Error(ErrorText(e));
  }
}

namespace {
bool Choose(Session& session, Ui& ui, Id option, const std::string& id) {
  std::optional<int> value = ParseInteger(id);
  if (Trim(id).empty() || !value) return false;
  session.options.SetInteger(option, *value);
  try {
    RefreshCatalogueLists(session, ui);
    SetCatalogueState(session, session.catalogue.IsOpen(), session.catalogue.IsOpen() ? ConnectedStatus(session) : "");
  } catch (const std::exception& e) {
    ReportConnectError(session, e);
  }
  return true;
}
}  // namespace

bool ChooseCatalogueLanguage(Session& session, Ui& ui, const std::string& id) {
  return Choose(session, ui, Id::ConToTD_Lang, id);
}

bool ChooseCatalogueRegion(Session& session, Ui& ui, const std::string& id) {
  return Choose(session, ui, Id::ConToTD_Reg, id);
}

void ChangeAdditionalLanguages(Session& session, Ui& ui) {
  try {
    session.catalogue_choices.additional_languages_caption = SaveAdditionalLanguages(session);
  } catch (const std::exception& e) {
    session.catalogue_choices.additional_languages_caption = AdditionalLanguagesCaption(session.lists.additional_languages);
    ui.Error(e.what());
  }
}

}  // namespace quarvel
