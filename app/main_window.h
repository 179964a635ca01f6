#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <functional>
#include <vector>

#include "app/command_runner.h"
#include "app/connection_status_bar.h"
#include "app/option_binder.h"
#include "app/path_dialogs.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

class CataloguePage;
class ExportPage;
class StorePage;
class UploadPage;

// Opened by "SETTING": help on the store settings the exported data relies on.
inline constexpr const char* kStoreSettingsHelpUrl = "https://quarvel.example/help/store-settings";

// The main window: the command panel on the left switches between the pages, which keep their
// state while hidden; the connection status is at the bottom. Closing saves every setting.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  enum Page { kCataloguePage, kStorePage, kPreparationPage, kExportPage, kUploadPage, kStoreToolsPage };

  MainWindow(Session& session, OptionBinder& binder, Ui& ui, QWidget* parent = nullptr);

  ConnectionStatusBar* Status() const { return status_; }
  QStackedWidget* Pages() const { return pages_; }
  QWidget* PageWidget(Page page) const { return pages_->widget(page); }
  CataloguePage* Catalogue() const { return catalogue_page_; }
  StorePage* Store() const { return store_page_; }
  ExportPage* Export() const { return export_page_; }
  UploadPage* Upload() const { return upload_page_; }
  // The dialogs of every path box's picker.
  PathDialogs& Dialogs() { return dialogs_; }
  // The command of the left panel with this caption; nullptr when there is none.
  QPushButton* Command(const QString& caption) const;

  // Shows what the session holds of both connections and what was read through them: indicators,
  // status texts, the language and region boxes, the additional languages and the option's caption,
  // the store log and the export's selection lists. Runs whenever a connection's state changes and
  // after every command of the pages.
  void ShowConnectionStates();

  // Closes both connections when the window closes; the connections work sets it.
  void SetDisconnectHook(std::function<void()> disconnect) { disconnect_ = std::move(disconnect); }

 signals:
  // "Tables": show the list of tables for cleaning.
  void tablesRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildCommandPanel();
  bool SaveOnClose();
  // The left panel is out of use while an export, an upload or a clean installation runs.
  void SetCommandsEnabled(bool enabled);

  Session& session_;
  OptionBinder& binder_;
  Ui& ui_;
  std::function<void()> disconnect_;
  CommandRunner runner_;
  PathDialogs dialogs_ = PathDialogs::Native();
  QStackedWidget* pages_ = nullptr;
  CataloguePage* catalogue_page_ = nullptr;
  StorePage* store_page_ = nullptr;
  ExportPage* export_page_ = nullptr;
  UploadPage* upload_page_ = nullptr;
  ConnectionStatusBar* status_ = nullptr;
  std::vector<QPushButton*> commands_;
};

}  // namespace quarvel
