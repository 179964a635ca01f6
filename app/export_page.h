#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "app/command_runner.h"
#include "app/option_binder.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// "Export data": the export's folders and options, and the four selection lists on the
// "DATA FOR SELECTING" tab, each with "Update list" and "Check / uncheck all".
class ExportPage : public QWidget {
  Q_OBJECT

 public:
  // The selection lists in the order they are refilled.
  enum Selection { kCars, kPartBrands, kTradeGroups, kPartGroups, kSelectionCount };

  ExportPage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
             QWidget* parent = nullptr);

  // Shows the session's selection lists and their checks.
  void ShowSelectionLists();

  QTabWidget* Tabs() const { return tabs_; }
  QListWidget* List(Selection which) const { return lists_[which].widget; }
  QPushButton* UpdateButton(Selection which) const { return lists_[which].update; }
  QPushButton* ToggleButton(Selection which) const { return lists_[which].toggle; }

 private:
  struct SelectionView {
    CheckList SettingsLists::*list = nullptr;
    void (*refresh)(Session&) = nullptr;
    QListWidget* widget = nullptr;
    QPushButton* update = nullptr;
    QPushButton* toggle = nullptr;
  };

  QWidget* BuildOptions(OptionBinder& binder);
  QWidget* BuildSelections(OptionBinder& binder);
  QWidget* SelectionBox(OptionBinder& binder, Selection which, OptionId list_key, OptionId only_selected,
                        std::initializer_list<OptionId> keys);
  void Update(Selection which);
  void Toggle(Selection which);
  // The car list's mode or year option changed: the car list follows at once.
  void RefillCars();

  Session& session_;
  Ui& ui_;
  CommandRunner& commands_;
  QTabWidget* tabs_ = nullptr;
  std::array<SelectionView, kSelectionCount> lists_;
};

}  // namespace quarvel
