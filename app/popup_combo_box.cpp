#include "app/popup_combo_box.h"

namespace quarvel {

void PopupComboBox::showPopup() {
  emit popupAboutToShow();
  QComboBox::showPopup();
}

}  // namespace quarvel
