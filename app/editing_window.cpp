#include "app/editing_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <string_view>

#include "app/page_layout.h"

namespace quarvel {

namespace {

constexpr std::string_view kColumnChoicePrefix = "ExcelExportImport_";

// One box per section of column choices; the same key names recur across sections.
QWidget* BuildColumnChoices(OptionBinder& binder) {
  auto* content = new QWidget;
  auto* layout = new QHBoxLayout(content);
  QGroupBox* box = nullptr;
  QVBoxLayout* column = nullptr;
  std::string_view section;
  for (const OptionSpec& entry : AllOptionSpecs()) {
    if (!entry.section.starts_with(kColumnChoicePrefix)) continue;
    if (entry.section != section) {
      section = entry.section;
      std::string_view title = section.substr(kColumnChoicePrefix.size());
      box = new QGroupBox(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
      column = new QVBoxLayout(box);
      layout->addWidget(box, 0, Qt::AlignTop);
    }
    column->addWidget(binder.CheckBox(entry.id));
  }
  return Scrolled(content);
}

QWidget* ListBox(OptionId key, QListWidget* list) {
  auto* box = new QGroupBox(CaptionOf(key));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(list);
  return box;
}

}  // namespace

EditingWindow::EditingWindow(OptionBinder& binder, QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(tr("Editing"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(OptionGroup(
      binder, tr("PRICES AND QUANTITIES"),
      {OptionId::FormEditNames_FactorMultiplePrices, OptionId::FormEditNames_QuantityForAvailability}));
  layout->addWidget(OptionGroup(
      binder, tr("NAMES"),
      {OptionId::FormEditNames_AddColumnActivity, OptionId::FormEditNames_AllListValCryteriesToName}));
  auto* lists = new QHBoxLayout;
  lists->addWidget(
      ListBox(OptionId::FormEditNames_CheckList,
              binder.Checks(&SettingsLists::edit_criteria, {OptionId::FormEditNames_CheckList})));
  lists->addWidget(
      ListBox(OptionId::FormEditNames_CheckListBrands,
              binder.Checks(&SettingsLists::edit_brands, {OptionId::FormEditNames_CheckListBrands})));
  layout->addLayout(lists, 1);
  layout->addWidget(BuildColumnChoices(binder), 1);
  resize(1150, 760);
}

}  // namespace quarvel
