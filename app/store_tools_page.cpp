#include "app/store_tools_page.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "app/page_layout.h"

namespace quarvel {

namespace {

QWidget* Column(std::initializer_list<QWidget*> parts) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  for (QWidget* part : parts) layout->addWidget(part);
  layout->addStretch(1);
  return Scrolled(content);
}

QWidget* BuildFtp(OptionBinder& binder) {
  QGroupBox* box = OptionGroup(
      binder, QObject::tr("STOCK UPDATE FROM FTP SERVERS"),
      {OptionId::WorkWithStore_UseMultiStock, OptionId::WorkWithStore_FolderForSavingFilesFromFTP,
       OptionId::WorkWithStore_FolderForSavingFilesFromFTP_prefix, OptionId::WorkWithStore_ValueForInc});
  // The period's choices are numbered from 1 in the settings file.
  static_cast<QFormLayout*>(box->layout())
      ->addRow(binder.Choices(OptionId::WorkWithStore_FTP_checkEvery, Qt::Horizontal, 1));
  return box;
}

}  // namespace

StoreToolsPage::StoreToolsPage(OptionBinder& binder, QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabWidget;
  tabs_->addTab(
      Column(
          {OptionGroup(binder, tr("FILES"),
                       {OptionId::WorkWithStore_FolderForSavingFiles, OptionId::WorkWithStore_MaxRowsInFile}),
           OptionGroup(
               binder, tr("PRICE AND AVAILABILITY LISTS"),
               {OptionId::WorkWithStore_SaveAsSepatateFile_1, OptionId::WorkWithStore_ExportOnlyNonZeroPrices,
                OptionId::WorkWithStore_ExportPricListsNamesTradeGroups,
                OptionId::WorkWithStore_ExportDataAboutAvailable,
                OptionId::WorkWithStore_ExportForEditDiscount,
                OptionId::WorkWithStore_ExportForPricListsOnlyActiveBrands,
                OptionId::WorkWithStore_ExportForPricListDataStock,
                OptionId::WorkWithStore_ExportForPricListActiveProduct,
                OptionId::WorkWithStore_ExportForPricListPriceFromTecdoc}),
           OptionGroup(
               binder, tr("IMPORT OF PRICES"),
               {OptionId::WorkWithStore_EditOnlyZeroPrices, OptionId::WorkWithStore_EditOnlyLowPrices}),
           OptionGroup(binder, tr("OWN PRODUCTS"), {OptionId::WorkWithStore_SaveAsSepatateFile_2})}),
      tr("PRICES AND STOCK"));
  tabs_->addTab(Column({BuildFtp(binder)}), tr("FTP"));
  tabs_->addTab(
      Column({OptionGroup(
                  binder, tr("META DATA"),
                  {OptionId::WorkWithStore_EditMetaForCategories, OptionId::WorkWithStore_EditMetaForProducts,
                   OptionId::WorkWithStore_CleanMetaTitle, OptionId::WorkWithStore_CleanMetaDescription,
                   OptionId::WorkWithStore_CleanMetaKeyword}),
              OptionGroup(binder, tr("SITEMAP"),
                          {OptionId::WorkWithStore_SiteMap_pathsite, OptionId::WorkWithStore_SiteMap_maxlinks,
                           OptionId::WorkWithStore_SiteMap_forproducts,
                           OptionId::WorkWithStore_SiteMap_forcategories})}),
      tr("SEO"));
  tabs_->addTab(Column({OptionGroup(binder, tr("IMAGES OF CATEGORIES"),
                                    {OptionId::WorkWithStore_PathFolderForImgToCat,
                                     OptionId::WorkWithStore_ListOfLinkImgToCat}),
                        OptionGroup(binder, tr("IMAGES OF PRODUCTS"),
                                    {OptionId::WorkWithStore_PathFolderForImgToProduct,
                                     OptionId::WorkWithStore_ListOfLinkImgToProduct})}),
                tr("IMAGES"));
  tabs_->addTab(Column({OptionGroup(binder, tr("ADDITIONAL INFORMATION"),
                                    {OptionId::WorkWithStore_Text1_for_AddidionalInfo,
                                     OptionId::WorkWithStore_Text2_for_AddidionalInfo,
                                     OptionId::WorkWithStore_Text3_forReplace_AddidionalInfo,
                                     OptionId::WorkWithStore_AddionalInfoAddIn_Description,
                                     OptionId::WorkWithStore_AddionalInfoAddIn_DescriptionShort,
                                     OptionId::WorkWithStore_AddionalInfo_AddBeforeOrAfter})}),
                tr("ADDITIONAL INFO"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
}

}  // namespace quarvel
