#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/check_list.h"
#include "core/session.h"
#include "export/export_context.h"
#include "platform/store/store_connection.h"

namespace quarvel::exporting {

// Every value a run takes from the settings, the description files and the selection lists.
ExportParameters ReadExportParameters(const Session& session);

// The export folder as typed, with the platform's separator appended when it is missing.
std::filesystem::path ExportFolderPath(const std::string& text);
// True when the text names an existing folder.
bool ExportFolderExists(const std::string& text);

// The whole text of a description file as written; empty when the file does not exist or cannot be
// read. A UTF-8 byte-order mark is not part of the text.
std::string ReadDescriptionText(const std::string& file_name);

// The checked ids of a selection list joined by commas in list order, when "ONLY FOR SPECIFIED
// ITEMS" is on; otherwise empty (no filter).
std::string SelectionIdList(const CheckList& list, bool only_specified);
void BuildSelectionIdLists(const Session& session, ExportParameters& params);

// The checked additional languages as "[" + iso + "]<#" + iso + ">" + catalogue id + "</#" + iso + ">"
// each, iso being the bracketed code of the entry's text.
std::string AdditionalLanguageList(const CheckList& languages);
// The store's languages other than the main one.
std::string StoreLanguagesSql(const std::string& prefix, int default_lang_id);
// Numbers the store languages whose ISO code occurs in the list, in the store's row order. Throws
// what the store connection throws.
std::vector<ExportLanguage> MatchExportLanguages(const std::string& language_list,
                                                 platform::StoreConnection& store, const std::string& prefix,
                                                 int default_lang_id);
// The languages as the tagged-value text "ps_id_lang#n", "tc_id_lang#n", "tc_lang_name#n" ... "count";
// empty when none matched.
std::string ExportLanguagesText(const std::vector<ExportLanguage>& languages);

}  // namespace quarvel::exporting
