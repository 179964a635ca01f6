#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/session.h"
#include "core/ui.h"
#include "export/export_help.h"

namespace quarvel::exporting {

// The criterion choice boxes of the preparation page and the help files of its template boxes.

// The boxes filled with catalogue criterion names: the one beside the criteria text template
// (Pro_val_ADDCRITERY) and the four dimension boxes (Pro_Width_td .. Pro_Weight_td).
enum class CriterionBox { kAddCritery, kWidth, kHeight, kDepth, kWeight };

// The distinct criterion names of the catalogue language, ordered by name.
std::string CriterionNamesSql(int language_id);

// Opening a box: fills its entries from the catalogue when the catalogue is connected and the box
// has none yet (a catalogue connect or a language change empties them). A catalogue error is
// reported and leaves the box empty.
void FillCriterionBox(Session& session, Ui& ui, CriterionBox box);
std::vector<ChoiceEntry>& CriterionBoxEntries(Session& session, CriterionBox box);

// What the insert button puts at the cursor of the criteria text template: "{" + name + "}";
// nothing when no name is chosen.
std::string CriterionPlaceholder(std::string_view name);

// The help commands of the template boxes.
enum class TemplateHelp {
  kCategoryValues,       // "values for texts" on the categories tab
  kProductValues,        // "values for texts" on the products tab
  kCategoryDescription,  // beside the category description file
  kProductDescription,   // beside the product description file
  kShortDescription,     // beside the short description file
};
HelpFile TemplateHelpFile(TemplateHelp help);
// Writes the help file into the settings folder and opens it.
void ShowTemplateHelp(const Session& session, Ui& ui, TemplateHelp help);

}  // namespace quarvel::exporting
