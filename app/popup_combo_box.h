#pragma once

#include <QComboBox>

namespace quarvel {

// A combo box that announces its list is about to open, so the list can be read from the catalogue
// only when the user looks at it.
class PopupComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void showPopup() override;

 signals:
  void popupAboutToShow();
};

}  // namespace quarvel
