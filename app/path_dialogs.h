#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace quarvel {

// The folder and file dialogs of the path boxes. Each returns the chosen path, or an empty text when
// the user cancelled. Kept replaceable so that tests answer them without a modal dialog.
struct PathDialogs {
  using Dialog = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

  Dialog choose_folder;
  Dialog choose_file;

  // Qt's own dialogs.
  static PathDialogs Native();
};

}  // namespace quarvel
