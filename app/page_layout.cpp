#include "app/page_layout.h"

#include <QFormLayout>

namespace quarvel {

QGroupBox* OptionGroup(OptionBinder& binder, const QString& title, std::initializer_list<OptionId> ids) {
  auto* box = new QGroupBox(title);
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (OptionId id : ids) binder.AddRow(form, id);
  return box;
}

QScrollArea* Scrolled(QWidget* content) {
  auto* area = new QScrollArea;
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidget(content);
  return area;
}

}  // namespace quarvel
