#pragma once

#include <QButtonGroup>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace quarvel {

// A row or column of radio buttons of which at most one is selected. Unlike a plain exclusive
// button group it can also show "none selected", which a stored value outside the choices needs.
class ChoiceGroup : public QWidget {
  Q_OBJECT

 public:
  ChoiceGroup(const QStringList& choices, Qt::Orientation orientation, QWidget* parent = nullptr);

  // The selected choice's index, -1 when none is selected.
  int Selected() const;
  // Selects the choice at index; an index outside the choices clears the selection.
  void Select(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Button(int index) const { return buttons_.at(index); }

 signals:
  void selectionChanged(int index);

 private:
  QButtonGroup group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace quarvel
