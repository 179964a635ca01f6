#pragma once

#include <string>

#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// The catalogue connection page and start-up discovery. Errors never escape: they turn the
// catalogue indicator red and go into the status text.

// Connects the catalogue from the DRIVER/DATABASE/LOGIN/PASSWORD options; on success saves them
// and refreshes the catalogue lists.
void TestCatalogueConnection(Session& session, Ui& ui);

// Start-up: the test above; when it fails, the catalogue's data-source file named by the registry
// (INSTALL_DIR below SOFTWARE\TECDOC\TECDOC CD) gives DRIVER and DATABASE for a second try.
void DiscoverCatalogue(Session& session, Ui& ui);

// "...\pb\tof.dsn" below a catalogue installation folder; empty for a blank folder.
std::string CatalogueDataSourceFile(const std::string& install_dir);

// The help text of the second "TEST TO CONNECT WITH DATABASE" button.
std::string CatalogueConnectionHelpText();
void ShowCatalogueConnectionHelp(Ui& ui);

// After every catalogue connect and every language or region change: the language and region
// names, the status text, the export's selection lists, the criterion boxes and the additional
// languages. Does nothing while the catalogue is not connected.
void RefreshCatalogueLists(Session& session, Ui& ui);

// Fill the language box (all catalogue languages) and the region box (country groups, then
// countries), both named in the current language.
void ListCatalogueLanguages(Session& session, Ui& ui);
void ListCatalogueRegions(Session& session, Ui& ui);

// Choosing an entry of the language or region box; an id that is blank or not a number is ignored
// (the box stays open for another choice). Returns whether the choice was taken.
bool ChooseCatalogueLanguage(Session& session, Ui& ui, const std::string& id);
bool ChooseCatalogueRegion(Session& session, Ui& ui, const std::string& id);

// A change of the additional-language checks: saves them at once and renews the option caption.
void ChangeAdditionalLanguages(Session& session, Ui& ui);

// The catalogue statements of these operations, in the catalogue's own dialect.
std::string LanguageNameSql(int language_id);
std::string RegionNameSql(int language_id, int country_id);
std::string AdditionalLanguagesSql(int language_id);
std::string LanguageListSql(int language_id);
std::string RegionListSql(int language_id, bool country_groups);

}  // namespace quarvel
