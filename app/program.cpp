#include "app/program.h"

#include <exception>

#include "core/settings.h"

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

Program::Program(std::filesystem::path settings_file, Ui* ui, StartupHooks hooks) : ui_(ui ? ui : &gui_ui_) {
  session_.settings_file = std::move(settings_file);

  main_window_ = std::make_unique<MainWindow>(session_, binder_, *ui_);
  gui_ui_.SetParentWindow(main_window_.get());
  main_window_->SetDisconnectHook(std::move(hooks.disconnect));

  cleaning_list_ = new CleaningListWindow(session_, binder_, main_window_.get());
  QObject::connect(main_window_.get(), &MainWindow::tablesRequested, cleaning_list_,
                   &CleaningListWindow::ShowOnTop);
  LoadReporting(LoadSettings, session_, *ui_);
  binder_.Load(session_);
  if (hooks.connect_databases) hooks.connect_databases(session_, *main_window_, *ui_);
  main_window_->ShowConnectionStates();

  editing_window_ = new EditingWindow(binder_, main_window_.get());
  LoadReporting(LoadEditingWindowSettings, session_, *ui_);
  binder_.Load(session_, editing_window_);
}

Program::~Program() = default;

}  // namespace quarvel
