#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// "List of tables for cleaning": the store tables the clean installation may empty. A small tool
// window that stays above the main window and is not modal.
class CleaningListWindow : public QWidget {
  Q_OBJECT

 public:
  CleaningListWindow(Session& session, OptionBinder& binder, QWidget* parent = nullptr);

  // Gives every entry the inverted check of the selected entry (of the first when none is selected).
  void ToggleCleaningChecks();
  void ShowOnTop();

  QListWidget* List() const { return list_; }
  QPushButton* ToggleButton() const { return toggle_; }

 private:
  Session& session_;
  QListWidget* list_ = nullptr;
  QPushButton* toggle_ = nullptr;
};

}  // namespace quarvel
