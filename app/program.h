#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "app/cleaning_list_window.h"
#include "app/editing_window.h"
#include "app/gui_ui.h"
#include "app/main_window.h"
#include "app/option_binder.h"
#include "core/session.h"

namespace quarvel {

// What the connections add to start-up and close.
struct StartupHooks {
  // Runs right after the settings are loaded and shown: finds and connects the catalogue, then
  // connects and tests the store.
  std::function<void(Session&, MainWindow&, Ui&)> connect_databases;
  // Closes the store connection, then the catalogue connection, when the main window closes.
  std::function<void(Session&)> disconnect;
};

// The desktop program's own hooks: DiscoverCatalogue then TestStoreConnection at start-up (with a wait
// cursor), both connections closed on close.
StartupHooks DatabaseHooks();

// The desktop program's windows over one session, created in start-up order: the main window, the
// list of tables for cleaning (the settings are loaded then, followed by the connections), then the
// editing window with its own settings. The session's own hooks are always wired: a catalogue connect
// refills the export's selection lists, and every change of a connection's state repaints the main
// window.
class Program {
 public:
  // Without a ui the program reports through message boxes.
  explicit Program(std::filesystem::path settings_file, Ui* ui = nullptr, StartupHooks hooks = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Session& session() { return session_; }
  OptionBinder& binder() { return binder_; }
  Ui& ui() { return *ui_; }
  MainWindow& main_window() { return *main_window_; }
  CleaningListWindow& cleaning_list() { return *cleaning_list_; }
  EditingWindow& editing_window() { return *editing_window_; }

 private:
  Session session_;
  OptionBinder binder_;
  GuiUi gui_ui_;
  Ui* ui_;
  // Owns the other two windows; declared last so it goes before the binder and session it uses.
  std::unique_ptr<MainWindow> main_window_;
  CleaningListWindow* cleaning_list_ = nullptr;
  EditingWindow* editing_window_ = nullptr;
};

}  // namespace quarvel
