#pragma once

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "app/command_runner.h"
#include "app/option_binder.h"
#include "app/path_dialogs.h"
#include "app/path_row.h"
#include "core/session.h"
#include "core/ui.h"
#include "upload/script_upload.h"

namespace quarvel {

// "Upload data into the store": the folder of the script files and their list, the upload's run
// with its switch, status, progress and log, and the clean installation that prepares the store for
// it. The page owns the upload's runner, which holds the list and the log between commands.
class UploadPage : public QWidget {
  Q_OBJECT

 public:
  UploadPage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
             const PathDialogs& dialogs, QWidget* parent = nullptr);

  UploadRunner& Runner() { return runner_; }
  PathRow* FolderRow() const { return folder_row_; }
  QToolButton* UseExportFolderButton() const { return use_export_folder_; }
  QListWidget* Scripts() const { return scripts_; }
  QPushButton* UpdateButton() const { return update_; }
  QPushButton* ToggleButton() const { return toggle_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* StopButton() const { return stop_; }
  QPushButton* OpenLogButton() const { return open_log_; }
  QPushButton* CleanButton() const { return clean_; }
  QToolButton* CleanInformationButton() const { return clean_information_; }
  QLabel* HostingLink() const { return hosting_link_; }
  QPushButton* TablesButton() const { return tables_; }
  QListWidget* Log() const { return log_; }
  QLabel* Status() const { return status_; }
  QProgressBar* Progress() const { return progress_; }

 signals:
  // An upload or a clean installation started or ended: the window's navigation follows, since both
  // work on the store connection that every other page's commands use too.
  void runningChanged(bool running);
  // "Tables": show the list of tables for cleaning.
  void tablesRequested();
  // The clean installation lost the store: the user is sent to the store connection page.
  void storePageRequested();

 private:
  QWidget* BuildFolder(OptionBinder& binder, const PathDialogs& dialogs);
  QWidget* BuildRun(OptionBinder& binder);
  QWidget* BuildCleanInstallation();
  // Shows the runner's list, state, status, progress and the log entries not yet shown.
  void ShowRunner();
  // Shows the whole log again: the clean installation rewrites it behind the runner's back.
  void ShowWholeLog();

  Session& session_;
  Ui& ui_;
  CommandRunner& commands_;
  UploadRunner runner_;
  PathRow* folder_row_ = nullptr;
  QToolButton* use_export_folder_ = nullptr;
  QListWidget* scripts_ = nullptr;
  QPushButton* update_ = nullptr;
  QPushButton* toggle_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* open_log_ = nullptr;
  QPushButton* clean_ = nullptr;
  QToolButton* clean_information_ = nullptr;
  QLabel* hosting_link_ = nullptr;
  QPushButton* tables_ = nullptr;
  QListWidget* log_ = nullptr;
  size_t shown_entries_ = 0;
  bool cleaning_ = false;
  bool shown_running_ = false;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace quarvel
