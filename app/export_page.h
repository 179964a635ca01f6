#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "app/command_runner.h"
#include "app/option_binder.h"
#include "app/path_dialogs.h"
#include "core/session.h"
#include "core/ui.h"
#include "export/export_run.h"

namespace quarvel {

// "Export data": the export's folders and options, the four selection lists on the
// "DATA FOR SELECTING" tab, each with "Update list" and "Check / uncheck all", and below the tabs the
// run's commands and its log. The page owns the export's runner, which holds the run's state between
// commands for as long as the window lives.
class ExportPage : public QWidget {
  Q_OBJECT

 public:
  // The selection lists in the order they are refilled.
  enum Selection { kCars, kPartBrands, kTradeGroups, kPartGroups, kSelectionCount };

  ExportPage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
             const PathDialogs& dialogs, QWidget* parent = nullptr);

  // Shows the session's selection lists and their checks.
  void ShowSelectionLists();

  QTabWidget* Tabs() const { return tabs_; }
  QListWidget* List(Selection which) const { return lists_[which].widget; }
  QPushButton* UpdateButton(Selection which) const { return lists_[which].update; }
  QPushButton* ToggleButton(Selection which) const { return lists_[which].toggle; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* StopButton() const { return stop_; }
  QPushButton* OpenLogButton() const { return open_log_; }
  QListWidget* Log() const { return log_; }
  exporting::ExportRunner& Runner() { return runner_; }

 signals:
  // A run started or ended: the window's navigation follows.
  void runningChanged(bool running);
  // The run found the store unusable: the user is sent to the store connection page.
  void storePageRequested();

 private:
  struct SelectionView {
    CheckList SettingsLists::*list = nullptr;
    void (*refresh)(Session&) = nullptr;
    QListWidget* widget = nullptr;
    QPushButton* update = nullptr;
    QPushButton* toggle = nullptr;
  };

  QWidget* BuildOptions(OptionBinder& binder, const PathDialogs& dialogs);
  QWidget* BuildFolders(OptionBinder& binder, const PathDialogs& dialogs);
  QWidget* BuildRun();
  void SetRunning(bool running);
  void AppendLogLine(const std::string& line);
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
  exporting::ExportRunner runner_;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* open_log_ = nullptr;
  QListWidget* log_ = nullptr;
};

}  // namespace quarvel
