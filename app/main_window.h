#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <functional>
#include <vector>

#include "app/connection_status_bar.h"
#include "app/option_binder.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

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
  // The command of the left panel with this caption; nullptr when there is none.
  QPushButton* Command(const QString& caption) const;

  // Shows what the session holds of both connections: indicators, status texts and the
  // additional-languages option's caption. The connections work calls it after each test.
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

  Session& session_;
  OptionBinder& binder_;
  Ui& ui_;
  std::function<void()> disconnect_;
  QStackedWidget* pages_ = nullptr;
  ConnectionStatusBar* status_ = nullptr;
  std::vector<QPushButton*> commands_;
};

}  // namespace quarvel
