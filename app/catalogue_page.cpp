#include "app/catalogue_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <exception>

#include "app/page_layout.h"
#include "core/settings.h"

namespace quarvel {

CataloguePage::CataloguePage(Session& session, OptionBinder& binder, Ui& ui, QWidget* parent)
    : QWidget(parent), session_(session), binder_(binder), ui_(ui) {
  auto* layout = new QVBoxLayout(this);
  QGroupBox* connection =
      OptionGroup(binder, tr("CONNECTION"),
                  {OptionId::ConToTD_Server, OptionId::ConToTD_Driver, OptionId::ConToTD_Database,
                   OptionId::ConToTD_Login, OptionId::ConToTD_Pass});
  layout->addWidget(connection);

  auto* choices = new QGroupBox(tr("CATALOGUE DATA"));
  auto* form = new QFormLayout(choices);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->addRow(CaptionOf(OptionId::ConToTD_Lang), binder.IdCombo(OptionId::ConToTD_Lang));
  form->addRow(CaptionOf(OptionId::ConToTD_Reg), binder.IdCombo(OptionId::ConToTD_Reg));
  languages_ =
      binder.Checks(&SettingsLists::additional_languages, {OptionId::ConToTD_ListAdditionalLanguages});
  form->addRow(new QLabel(CaptionOf(OptionId::ConToTD_ListAdditionalLanguages)));
  form->addRow(languages_);
  layout->addWidget(choices, 1);

  connect(languages_, &QListWidget::itemChanged, this, [this] { SaveLanguageChecks(); });
}

void CataloguePage::SaveLanguageChecks() {
  ReadCheckListWidget(languages_, session_.lists.additional_languages);
  try {
    std::string caption = SaveAdditionalLanguages(session_);
    session_.catalogue_choices.additional_languages_caption = caption;
    if (auto* option =
            qobject_cast<QCheckBox*>(binder_.WidgetOf(OptionId::ExportData_AddAdditionalLanguages)))
      option->setText(QString::fromStdString(caption));
  } catch (const std::exception& e) {
    ui_.Error(e.what());
  }
}

}  // namespace quarvel
