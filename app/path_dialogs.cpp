#include "app/path_dialogs.h"

#include <QFileDialog>

namespace quarvel {

PathDialogs PathDialogs::Native() {
  PathDialogs dialogs;
  dialogs.choose_folder = [](QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
  };
  dialogs.choose_file = [](QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getOpenFileName(parent, title, start);
  };
  return dialogs;
}

}  // namespace quarvel
