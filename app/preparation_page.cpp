#include "app/preparation_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/path_row.h"
#include "export/export_help.h"

namespace quarvel {

namespace {

QWidget* BuildDimensions(OptionBinder& binder) {
  auto* box = new QGroupBox(QObject::tr("DIMENSIONS OF PRODUCTS"));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(binder.Choices(OptionId::PreparationData_Pro_critery_by_default, Qt::Horizontal));
  auto* columns = new QHBoxLayout;
  columns->addWidget(OptionGroup(
      binder, QObject::tr("by default"),
      {OptionId::PreparationData_Pro_Width_default, OptionId::PreparationData_Pro_Height_default,
       OptionId::PreparationData_Pro_Depth_default, OptionId::PreparationData_Pro_Weight_default}));
  columns->addWidget(
      OptionGroup(binder, QObject::tr("from TecDoc"),
                  {OptionId::PreparationData_Pro_Width_td, OptionId::PreparationData_Pro_Height_td,
                   OptionId::PreparationData_Pro_Depth_td, OptionId::PreparationData_Pro_Weight_td}));
  layout->addLayout(columns);
  return box;
}

}  // namespace

PreparationPage::PreparationPage(Session& session, OptionBinder& binder, Ui& ui, const PathDialogs& dialogs,
                                 QWidget* parent)
    : QWidget(parent), session_(session), ui_(ui) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->addWidget(OptionGroup(
      binder, tr("CATEGORIES"),
      {OptionId::PreparationData_CreateCatTreeForVEHICLE,
       OptionId::PreparationData_CreateCatTreeForVEHICLE_OnlyForCars,
       OptionId::PreparationData_CatNameVehicle, OptionId::PreparationData_Cat_trans_manuf,
       OptionId::PreparationData_Cat_trans_model, OptionId::PreparationData_Cat_trans_type,
       OptionId::PreparationData_Cat_title_model, OptionId::PreparationData_Cat_title_type,
       OptionId::PreparationData_Cat_path_to_file_desc, OptionId::PreparationData_CreateCatTreeForPARTS,
       OptionId::PreparationData_CatNameParts, OptionId::PreparationData_Pro_CategoryForTradeGroup}));
  layout->addWidget(OptionGroup(
      binder, tr("PRODUCTS"),
      {OptionId::PreparationData_Pro_title_name_part, OptionId::PreparationData_Pro_val_ADDCRITERY,
       OptionId::PreparationData_Pro_trans_title_name_part, OptionId::PreparationData_Pro_path_to_file_desc,
       OptionId::PreparationData_Pro_path_to_file_short_desc, OptionId::PreparationData_In_stock,
       OptionId::PreparationData_Not_in_stock, OptionId::PreparationData_Pro_contition,
       OptionId::PreparationData_Pro_visibility, OptionId::PreparationData_Pro_out_of_stock}));
  layout->addWidget(BuildDimensions(binder));
  layout->addWidget(BuildImages(binder, dialogs));
  layout->addStretch(1);

  auto* page_layout = new QVBoxLayout(this);
  page_layout->setContentsMargins(0, 0, 0, 0);
  page_layout->addWidget(Scrolled(content));
}

QWidget* PreparationPage::BuildImages(OptionBinder& binder, const PathDialogs& dialogs) {
  auto* box = new QGroupBox(tr("IMAGES"));
  images_form_ = new QFormLayout(box);
  images_form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  auto* source =
      static_cast<ChoiceGroup*>(binder.AddRow(images_form_, OptionId::PreparationData_Images_from_tecdoc));
  binder.AddRow(images_form_, OptionId::PreparationData_ImagesExportFromWeb);
  // The help files go beside the settings file in use.
  auto help_file = [this](exporting::HelpFile (*help)()) {
    return [this, help] { exporting::ShowHelpFile(help(), session_.Folder(), ui_); };
  };
  temp_path_ = AddPathRow(images_form_, binder, OptionId::PreparationData_Img_path_to_temp_images,
                          PathKind::kFolder, dialogs, help_file(exporting::TemporaryPicturesHelp));
  images_path_ = AddPathRow(images_form_, binder, OptionId::PreparationData_Img_path_to_images,
                            PathKind::kFolder, dialogs, help_file(exporting::LocalPicturesHelp));
  binder.AddRow(images_form_, OptionId::PreparationData_Img_graf_fromat_to_images);
  logos_path_ = AddPathRow(images_form_, binder, OptionId::PreparationData_Img_path_to_logos,
                           PathKind::kFolder, dialogs, help_file(exporting::LocalLogosHelp));
  binder.AddRow(images_form_, OptionId::PreparationData_Img_graf_fromat_to_logos);
  binder.AddRow(images_form_, OptionId::PreparationData_SchemeObtainLinkToImageFromPrestashop);
  binder.AddRow(images_form_, OptionId::PreparationData_CountPotokForConverImg);
  AddPathRow(
      images_form_, binder, OptionId::PreparationData_Img_path_to_irfanviewe, PathKind::kFile, dialogs,
      [this] { exporting::ShowConverterHelp(ui_); },
      [] { return QString::fromStdString(exporting::ConverterPickerFolder().string()); });
  // Follows both a load and the user's choice, since a load selects a button too.
  connect(source, &ChoiceGroup::selectionChanged, this, [this](int index) { ShowPathsFor(index == 0); });
  ShowPathsFor(true);
  return box;
}

void PreparationPage::ShowPathsFor(bool images_from_catalogue) {
  images_form_->setRowVisible(temp_path_, images_from_catalogue);
  images_form_->setRowVisible(images_path_, !images_from_catalogue);
  images_form_->setRowVisible(logos_path_, !images_from_catalogue);
}

}  // namespace quarvel
