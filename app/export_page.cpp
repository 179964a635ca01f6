#include "app/export_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/page_layout.h"

namespace quarvel {

namespace {

QWidget* BuildOptions(OptionBinder& binder) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->addWidget(OptionGroup(
      binder, QObject::tr("FOLDERS AND FILES"),
      {OptionId::ExportData_Path_to_data, OptionId::ExportData_Path_to_images,
       OptionId::ExportData_Only_for_values_of_parts_from_file, OptionId::ExportData_Path_to_data_with_artid,
       OptionId::ExportData_Only_for_values_of_cars_from_file,
       OptionId::ExportData_Path_to_data_with_typid}));
  layout->addWidget(
      OptionGroup(binder, QObject::tr("MODELS"),
                  {OptionId::ExportData_Models_Only_from_year, OptionId::ExportData_From_Year_for_models}));
  layout->addWidget(
      OptionGroup(binder, QObject::tr("SCRIPT FILES"),
                  {OptionId::ExportData_Val_NestedData, OptionId::ExportData_Val_DevideScript}));
  layout->addWidget(OptionGroup(
      binder, QObject::tr("WHAT TO EXPORT"),
      {OptionId::ExportData_ExportAllData, OptionId::ExportData_Only_tables_of_products,
       OptionId::ExportData_Only_tables_of_categories, OptionId::ExportData_Only_images_and_logos}));
  layout->addWidget(
      OptionGroup(binder, QObject::tr("STORE"),
                  {OptionId::ExportData_ExportOnCleanSystem, OptionId::ExportData_AddAdditionalLanguages}));
  layout->addStretch(1);
  return Scrolled(content);
}

// A selection list titled with its key's caption, under its "ONLY FOR SPECIFIED ITEMS" option.
QGroupBox* SelectionBox(OptionBinder& binder, OptionId list_key, OptionId only_selected, QListWidget* list) {
  auto* box = new QGroupBox(CaptionOf(list_key));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(binder.CheckBox(only_selected));
  layout->addWidget(list, 1);
  return box;
}

QWidget* BuildSelections(OptionBinder& binder) {
  auto* content = new QWidget;
  auto* grid = new QGridLayout(content);

  QGroupBox* cars =
      SelectionBox(binder, OptionId::ExportData_CheckListCars_GroupsByBrand,
                   OptionId::ExportData_Only_selected_brand_of_cars,
                   binder.Checks(&SettingsLists::cars, {OptionId::ExportData_CheckListCars_GroupsByBrand,
                                                        OptionId::ExportData_CheckListCars_GroupsByModel}));
  static_cast<QVBoxLayout*>(cars->layout())
      ->insertWidget(0, binder.Choices(OptionId::ExportData_ForCars_groupsByBrands, Qt::Horizontal));
  grid->addWidget(cars, 0, 0);
  grid->addWidget(
      SelectionBox(binder, OptionId::ExportData_CheckListParts_Brand,
                   OptionId::ExportData_Only_selected_brand_of_parts,
                   binder.Checks(&SettingsLists::part_brands, {OptionId::ExportData_CheckListParts_Brand})),
      0, 1);
  grid->addWidget(SelectionBox(binder, OptionId::ExportData_CheckListParts_ProductGroups,
                               OptionId::ExportData_Only_selected_trade_groups,
                               binder.Checks(&SettingsLists::trade_groups,
                                             {OptionId::ExportData_CheckListParts_ProductGroups})),
                  1, 0);
  grid->addWidget(SelectionBox(binder, OptionId::ExportData_CheckListParts_PartsGroups,
                               OptionId::ExportData_Only_selected_groups_of_parts,
                               binder.Checks(&SettingsLists::part_groups,
                                             {OptionId::ExportData_CheckListParts_PartsGroups})),
                  1, 1);
  return content;
}

}  // namespace

ExportPage::ExportPage(OptionBinder& binder, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabWidget;
  tabs_->addTab(BuildOptions(binder), tr("DATA FOR EXPORT"));
  tabs_->addTab(BuildSelections(binder), tr("DATA FOR SELECTING"));
  layout->addWidget(tabs_);
}

}  // namespace quarvel
