#include "app/export_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/page_layout.h"
#include "app/path_row.h"
#include "export/export_help.h"
#include "export/selection_lists.h"

namespace quarvel {

namespace {

constexpr const char* kNotConnectedToCatalogue = "Not connect to TecDoc !";

}  // namespace

ExportPage::ExportPage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
                       const PathDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), ui_(ui), commands_(commands), runner_(session) {
  lists_[kCars] = {&SettingsLists::cars, exporting::RefreshCarList};
  lists_[kPartBrands] = {&SettingsLists::part_brands, exporting::RefreshPartBrandList};
  lists_[kTradeGroups] = {&SettingsLists::trade_groups, exporting::RefreshTradeGroupList};
  lists_[kPartGroups] = {&SettingsLists::part_groups, exporting::RefreshPartGroupList};

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tabs_ = new QTabWidget;
  tabs_->addTab(BuildOptions(binder, dialogs), tr("DATA FOR EXPORT"));
  tabs_->addTab(BuildSelections(binder), tr("DATA FOR SELECTING"));
  // The log stays outside the tabs: they are disabled during a run, the log must still scroll.
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(tabs_);
  splitter->addWidget(BuildRun());
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  layout->addWidget(splitter);

  runner_.on_running_changed = [this](bool running) { SetRunning(running); };
  runner_.on_log_line = [this](const std::string& line) { AppendLogLine(line); };
  runner_.on_log_cleared = [this] { log_->clear(); };
  runner_.show_store_page = [this] { emit storePageRequested(); };

  for (int i = 0; i < kSelectionCount; ++i) {
    auto which = static_cast<Selection>(i);
    SelectionView& view = lists_[which];
    // A user's check goes into the session at once, so no refresh or save can miss it.
    connect(view.widget, &QListWidget::itemChanged, this,
            [this, which] { ReadCheckListWidget(lists_[which].widget, session_.lists.*lists_[which].list); });
    connect(view.update, &QPushButton::clicked, this, [this, which] { Update(which); });
    connect(view.toggle, &QPushButton::clicked, this, [this, which] { Toggle(which); });
  }
  // Clicks only: loading the settings into these controls is no change of the user's.
  auto* mode = qobject_cast<ChoiceGroup*>(binder.WidgetOf(OptionId::ExportData_ForCars_groupsByBrands));
  for (int i = 0; mode && i < mode->Count(); ++i)
    connect(mode->Button(i), &QRadioButton::clicked, this, [this] { RefillCars(); });
  if (auto* year = qobject_cast<QCheckBox*>(binder.WidgetOf(OptionId::ExportData_Models_Only_from_year)))
    connect(year, &QCheckBox::clicked, this, [this] { RefillCars(); });
}

QWidget* ExportPage::BuildFolders(OptionBinder& binder, const PathDialogs& dialogs) {
  auto* box = new QGroupBox(tr("FOLDERS AND FILES"));
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  auto inform = [this](std::string (*text)()) { return [this, text] { ui_.Inform(text()); }; };
  AddPathRow(form, binder, OptionId::ExportData_Path_to_data, PathKind::kFolder, dialogs,
             inform(exporting::ExportFolderHelpText));
  AddPathRow(form, binder, OptionId::ExportData_Path_to_images, PathKind::kFolder, dialogs,
             inform(exporting::ImagesRootHelpText));
  binder.AddRow(form, OptionId::ExportData_Only_for_values_of_parts_from_file);
  AddPathRow(form, binder, OptionId::ExportData_Path_to_data_with_artid, PathKind::kFile, dialogs,
             inform(exporting::ArticleFileHelpText));
  binder.AddRow(form, OptionId::ExportData_Only_for_values_of_cars_from_file);
  AddPathRow(form, binder, OptionId::ExportData_Path_to_data_with_typid, PathKind::kFile, dialogs,
             inform(exporting::VehicleTypeFileHelpText));
  return box;
}

QWidget* ExportPage::BuildRun() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  start_ = new QPushButton(QStringLiteral("  START EXPORT"));
  stop_ = new QPushButton(QStringLiteral("  STOP EXPORT"));
  open_log_ = new QPushButton(QStringLiteral("  OPEN LOG-FILE"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {start_, stop_, open_log_}) {
    button->setMinimumHeight(32);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  log_ = new QListWidget;
  log_->setObjectName(QStringLiteral("export_log"));
  log_->setMinimumHeight(150);
  log_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(log_, 1);

  // Without a wait cursor: the run keeps the window usable for "STOP EXPORT".
  connect(start_, &QPushButton::clicked, this, [this] {
    commands_.Run(
        nullptr, [this] { runner_.StartExport(ui_); }, /*wait_cursor=*/false);
  });
  // Neither of these copies the controls into the session: a run in progress keeps what it started with.
  connect(stop_, &QPushButton::clicked, this, [this] { runner_.StopExport(); });
  connect(open_log_, &QPushButton::clicked, this, [this] { runner_.OpenExportLog(ui_); });
  return panel;
}

void ExportPage::SetRunning(bool running) {
  tabs_->setEnabled(!running);
  start_->setEnabled(!running);
  emit runningChanged(running);
}

void ExportPage::AppendLogLine(const std::string& line) {
  log_->addItem(QString::fromStdString(line));
  log_->scrollToBottom();
}

QWidget* ExportPage::BuildOptions(OptionBinder& binder, const PathDialogs& dialogs) {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->addWidget(BuildFolders(binder, dialogs));
  layout->addWidget(
      OptionGroup(binder, tr("MODELS"),
                  {OptionId::ExportData_Models_Only_from_year, OptionId::ExportData_From_Year_for_models}));
  layout->addWidget(
      OptionGroup(binder, tr("SCRIPT FILES"),
                  {OptionId::ExportData_Val_NestedData, OptionId::ExportData_Val_DevideScript}));
  layout->addWidget(OptionGroup(
      binder, tr("WHAT TO EXPORT"),
      {OptionId::ExportData_ExportAllData, OptionId::ExportData_Only_tables_of_products,
       OptionId::ExportData_Only_tables_of_categories, OptionId::ExportData_Only_images_and_logos}));
  QGroupBox* store =
      OptionGroup(binder, tr("STORE"),
                  {OptionId::ExportData_ExportOnCleanSystem, OptionId::ExportData_AddAdditionalLanguages});
  auto* more = new QToolButton;
  more->setText(QStringLiteral("more ..."));
  more->setAutoRaise(true);
  more->setObjectName(QStringLiteral("addition_mode_help"));
  connect(more, &QToolButton::clicked, this, [this] { ui_.Inform(exporting::AdditionModeHelpText()); });
  static_cast<QFormLayout*>(store->layout())->insertRow(1, more);
  layout->addWidget(store);
  layout->addStretch(1);
  return Scrolled(content);
}

// A selection list titled with its key's caption, under its "ONLY FOR SPECIFIED ITEMS" option and
// above its two commands.
QWidget* ExportPage::SelectionBox(OptionBinder& binder, Selection which, OptionId list_key,
                                  OptionId only_selected, std::initializer_list<OptionId> keys) {
  SelectionView& view = lists_[which];
  view.widget = binder.Checks(view.list, keys);
  view.update = new QPushButton(tr("Update list"));
  view.toggle = new QPushButton(tr("Check / uncheck all"));

  auto* box = new QGroupBox(CaptionOf(list_key));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(binder.CheckBox(only_selected));
  layout->addWidget(view.widget, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(view.update);
  buttons->addWidget(view.toggle);
  layout->addLayout(buttons);
  return box;
}

QWidget* ExportPage::BuildSelections(OptionBinder& binder) {
  auto* content = new QWidget;
  auto* grid = new QGridLayout(content);

  QWidget* cars = SelectionBox(
      binder, kCars, OptionId::ExportData_CheckListCars_GroupsByBrand,
      OptionId::ExportData_Only_selected_brand_of_cars,
      {OptionId::ExportData_CheckListCars_GroupsByBrand, OptionId::ExportData_CheckListCars_GroupsByModel});
  static_cast<QVBoxLayout*>(cars->layout())
      ->insertWidget(0, binder.Choices(OptionId::ExportData_ForCars_groupsByBrands, Qt::Horizontal));
  grid->addWidget(cars, 0, 0);
  grid->addWidget(SelectionBox(binder, kPartBrands, OptionId::ExportData_CheckListParts_Brand,
                               OptionId::ExportData_Only_selected_brand_of_parts,
                               {OptionId::ExportData_CheckListParts_Brand}),
                  0, 1);
  grid->addWidget(SelectionBox(binder, kTradeGroups, OptionId::ExportData_CheckListParts_ProductGroups,
                               OptionId::ExportData_Only_selected_trade_groups,
                               {OptionId::ExportData_CheckListParts_ProductGroups}),
                  1, 0);
  grid->addWidget(SelectionBox(binder, kPartGroups, OptionId::ExportData_CheckListParts_PartsGroups,
                               OptionId::ExportData_Only_selected_groups_of_parts,
                               {OptionId::ExportData_CheckListParts_PartsGroups}),
                  1, 1);
  return content;
}

void ExportPage::ShowSelectionLists() {
  for (const SelectionView& view : lists_) FillCheckListWidget(view.widget, session_.lists.*view.list);
}

void ExportPage::Update(Selection which) {
  commands_.Run(nullptr, [this, which] {
    if (!session_.catalogue.IsOpen()) {
      ui_.Inform(kNotConnectedToCatalogue);
      return;
    }
    lists_[which].refresh(session_);
  });
}

void ExportPage::Toggle(Selection which) {
  SelectionView& view = lists_[which];
  CheckList& list = session_.lists.*view.list;
  ReadCheckListWidget(view.widget, list);
  const QList<QListWidgetItem*> selected = view.widget->selectedItems();
  list.ToggleAll(selected.isEmpty() ? -1 : view.widget->row(selected.front()));
  FillCheckListWidget(view.widget, list);
}

void ExportPage::RefillCars() {
  commands_.Run(nullptr, [this] {
    // Without a catalogue the list keeps what it shows; "Update list" tells the user why.
    if (session_.catalogue.IsOpen()) exporting::RefreshCarList(session_);
  });
}

}  // namespace quarvel
