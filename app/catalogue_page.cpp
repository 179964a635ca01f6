#include "app/catalogue_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <optional>

#include "app/page_layout.h"
#include "core/catalogue_connection_ops.h"
#include "core/setting_values.h"
#include "core/settings.h"

namespace quarvel {

namespace {

// Entries carry their id as a number, as the bound box stores it; an id that is not a number
// carries nothing and cannot be chosen.
void FillChoices(PopupComboBox* box, const std::vector<ChoiceEntry>& entries, int current_id) {
  QSignalBlocker blocker(box);
  box->clear();
  int current = -1;
  for (const ChoiceEntry& entry : entries) {
    std::optional<int> id = ParseInteger(entry.id);
    box->addItem(QString::fromStdString(entry.text), id ? QVariant(*id) : QVariant());
    if (id && *id == current_id && current < 0) current = box->count() - 1;
  }
  box->setCurrentIndex(current);
}

// One entry: the name read from the catalogue, or the id itself while there is no name.
void ShowOne(PopupComboBox* box, const std::string& name, int id) {
  QSignalBlocker blocker(box);
  box->clear();
  box->addItem(name.empty() ? QString::number(id) : QString::fromStdString(name), id);
  box->setCurrentIndex(0);
}

QPushButton* Command(const QString& caption, const char* object_name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromUtf8(object_name));
  button->setMinimumHeight(32);
  return button;
}

}  // namespace

CataloguePage::CataloguePage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
                             QWidget* parent)
    : QWidget(parent), session_(session), ui_(ui), commands_(commands) {
  auto* layout = new QVBoxLayout(this);
  QGroupBox* connection =
      OptionGroup(binder, tr("CONNECTION"),
                  {OptionId::ConToTD_Server, OptionId::ConToTD_Driver, OptionId::ConToTD_Database,
                   OptionId::ConToTD_Login, OptionId::ConToTD_Pass});
  test_ = Command(QStringLiteral("TEST TO CONNECT WITH DATABASE"), "catalogue_test");
  // The same caption as the test; this one explains what to type when the test fails.
  help_ = Command(QStringLiteral("TEST TO CONNECT WITH DATABASE"), "catalogue_help");
  help_->setToolTip(tr("What to enter when the data-source file is not found"));
  save_ = Command(QStringLiteral("SAVE SETTINGS"), "catalogue_save");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(test_, 1);
  buttons->addWidget(help_, 1);
  buttons->addWidget(save_, 1);
  static_cast<QFormLayout*>(connection->layout())->addRow(buttons);
  layout->addWidget(connection);

  auto* choices = new QGroupBox(tr("CATALOGUE DATA"));
  auto* form = new QFormLayout(choices);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  language_box_ = binder.IdCombo(OptionId::ConToTD_Lang);
  region_box_ = binder.IdCombo(OptionId::ConToTD_Reg);
  form->addRow(CaptionOf(OptionId::ConToTD_Lang), language_box_);
  form->addRow(CaptionOf(OptionId::ConToTD_Reg), region_box_);
  languages_ =
      binder.Checks(&SettingsLists::additional_languages, {OptionId::ConToTD_ListAdditionalLanguages});
  form->addRow(new QLabel(CaptionOf(OptionId::ConToTD_ListAdditionalLanguages)));
  form->addRow(languages_);
  layout->addWidget(choices, 1);

  connect(test_, &QPushButton::clicked, this,
          [this] { commands_.Run(this, [this] { TestCatalogueConnection(session_, ui_); }); });
  connect(help_, &QPushButton::clicked, this, [this] { ShowCatalogueConnectionHelp(ui_); });
  connect(save_, &QPushButton::clicked, this, [this] {
    commands_.Run(this, [this] {
      try {
        SaveCatalogueConnection(session_);
      } catch (const std::exception& e) {
        ui_.Error(e.what());
      }
    });
  });
  connect(language_box_, &PopupComboBox::popupAboutToShow, this, [this] { OpenLanguages(); });
  connect(region_box_, &PopupComboBox::popupAboutToShow, this, [this] { OpenRegions(); });
  connect(language_box_, &QComboBox::activated, this,
          [this](int index) { Choose(language_box_, index, ChooseCatalogueLanguage); });
  connect(region_box_, &QComboBox::activated, this,
          [this](int index) { Choose(region_box_, index, ChooseCatalogueRegion); });
  connect(languages_, &QListWidget::itemChanged, this, [this] { ChangeLanguageChecks(); });
}

void CataloguePage::ShowCatalogueChoices() {
  ShowOne(language_box_, session_.catalogue_choices.language_name, session_.CatalogueLanguageId());
  ShowOne(region_box_, session_.catalogue_choices.region_name, session_.CatalogueCountryId());
  FillCheckListWidget(languages_, session_.lists.additional_languages);
}

void CataloguePage::OpenLanguages() {
  // Without a catalogue there is nothing to list; the box keeps the one entry it shows.
  if (!session_.catalogue.IsOpen()) return;
  ListCatalogueLanguages(session_, ui_);
  FillChoices(language_box_, session_.catalogue_choices.languages, session_.CatalogueLanguageId());
}

void CataloguePage::OpenRegions() {
  if (!session_.catalogue.IsOpen()) return;
  ListCatalogueRegions(session_, ui_);
  FillChoices(region_box_, session_.catalogue_choices.regions, session_.CatalogueCountryId());
}

void CataloguePage::Choose(PopupComboBox* box, int index, bool (*choose)(Session&, Ui&, const std::string&)) {
  QVariant id = index >= 0 ? box->itemData(index) : QVariant();
  bool taken = false;
  if (!box->currentText().trimmed().isEmpty() && id.isValid()) {
    commands_.Run(this, [&] { taken = choose(session_, ui_, id.toString().toStdString()); });
  }
  // Nothing usable was chosen: the list opens again for another choice, once the closing popup is gone.
  if (!taken) QTimer::singleShot(0, box, [box] { box->showPopup(); });
}

void CataloguePage::ChangeLanguageChecks() {
  ReadCheckListWidget(languages_, session_.lists.additional_languages);
  commands_.Run(nullptr, [this] { ChangeAdditionalLanguages(session_, ui_); });
}

}  // namespace quarvel
