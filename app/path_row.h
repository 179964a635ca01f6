#pragma once

#include <QFormLayout>
#include <QLineEdit>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "app/option_binder.h"
#include "app/path_dialogs.h"

namespace quarvel {

// How a path box's picker chooses: a folder, or a file.
enum class PathKind { kFolder, kFile };

// A path box with its picker ("...") and its help link ("?") beside it.
class PathRow : public QWidget {
  Q_OBJECT

 public:
  // `start_folder`, when given, names where the picker opens; otherwise it opens at the box's path.
  PathRow(QLineEdit* edit, PathKind kind, const PathDialogs& dialogs, std::function<void()> help,
          std::function<QString()> start_folder = {}, QWidget* parent = nullptr);

  QLineEdit* Edit() const { return edit_; }
  QToolButton* PickerButton() const { return picker_; }
  QToolButton* HelpButton() const { return help_; }
  // Another command beside the box, before its picker.
  void InsertButton(QToolButton* button);

 private:
  void Pick();

  QLineEdit* edit_;
  PathKind kind_;
  const PathDialogs& dialogs_;
  std::function<QString()> start_folder_;
  QToolButton* picker_ = nullptr;
  QToolButton* help_ = nullptr;
};

// Adds the key's box as a captioned row of the form, with its picker and help link. Returns the row,
// which is also what hides or shows the form row.
PathRow* AddPathRow(QFormLayout* form, OptionBinder& binder, OptionId id, PathKind kind,
                    const PathDialogs& dialogs, std::function<void()> help,
                    std::function<QString()> start_folder = {});

}  // namespace quarvel
