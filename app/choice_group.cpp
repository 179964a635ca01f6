#include "app/choice_group.h"

#include <QBoxLayout>

namespace quarvel {

ChoiceGroup::ChoiceGroup(const QStringList& choices, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent) {
  auto* layout = orientation == Qt::Horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(this))
                                               : static_cast<QBoxLayout*>(new QVBoxLayout(this));
  layout->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < choices.size(); ++i) {
    auto* button = new QRadioButton(choices[i], this);
    group_.addButton(button, i);
    buttons_.push_back(button);
    layout->addWidget(button);
  }
  if (orientation == Qt::Horizontal) layout->addStretch(1);
  connect(&group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit selectionChanged(id);
  });
}

int ChoiceGroup::Selected() const { return group_.checkedId(); }

void ChoiceGroup::Select(int index) {
  if (index >= 0 && index < Count()) {
    buttons_[index]->setChecked(true);
    return;
  }
  // An exclusive group refuses to uncheck its last checked button.
  group_.setExclusive(false);
  for (QRadioButton* button : buttons_) button->setChecked(false);
  group_.setExclusive(true);
}

}  // namespace quarvel
