#include "app/program.h"

#include <exception>

#include "app/command_runner.h"
#include "core/catalogue_connection_ops.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"
#include "export/selection_lists.h"

namespace quarvel {

namespace {

// An unreadable settings file must not keep the program from starting; the defaults stand.
template <typename Load>
void LoadReporting(Load load, Session& session, Ui& ui) {
  try {
    load(session);
  } catch (const std::exception& e) {
    ui.Error("The settings could not be read: " + std::string(e.what()));
  }
}

}  // namespace

StartupHooks DatabaseHooks() {
  StartupHooks hooks;
  hooks.connect_databases = [](Session& session, MainWindow&, Ui& ui) {
    BusyCursor busy;
    DiscoverCatalogue(session, ui);
    TestStoreConnection(session, ui);
  };
  hooks.disconnect = [](Session& session) {
    session.store.Close();
    session.catalogue.Close();
    session.store_state.connected = false;
    session.catalogue_state.connected = false;
    session.NotifyConnectionState();
  };
  return hooks;
}

Program::Program(std::filesystem::path settings_file, Ui* ui, StartupHooks hooks) : ui_(ui ? ui : &gui_ui_) {
  session_.settings_file = std::move(settings_file);

  main_window_ = std::make_unique<MainWindow>(session_, binder_, *ui_);
  gui_ui_.SetParentWindow(main_window_.get());
  session_.refresh_selection_lists = exporting::RefreshSelectionLists;
  session_.connection_state_changed = [window = main_window_.get()] { window->ShowConnectionStates(); };
  if (hooks.disconnect)
    main_window_->SetDisconnectHook(
        [this, disconnect = std::move(hooks.disconnect)] { disconnect(session_); });

  cleaning_list_ = new CleaningListWindow(session_, binder_, main_window_.get());
  QObject::connect(main_window_.get(), &MainWindow::tablesRequested, cleaning_list_,
                   &CleaningListWindow::ShowOnTop);
  LoadReporting(LoadSettings, session_, *ui_);
  binder_.Load(session_);
  if (hooks.connect_databases) {
    hooks.connect_databases(session_, *main_window_, *ui_);
    // Discovery and the store test may have changed the boxes (data-source file, corrected port).
    binder_.Load(session_);
  }
  main_window_->ShowConnectionStates();

  editing_window_ = new EditingWindow(binder_, main_window_.get());
  LoadReporting(LoadEditingWindowSettings, session_, *ui_);
  binder_.Load(session_, editing_window_);
}

Program::~Program() {
  // The window goes first; the connections closing with the session must not repaint it.
  session_.connection_state_changed = nullptr;
}

}  // namespace quarvel
