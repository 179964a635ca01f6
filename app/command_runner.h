#pragma once

#include <QWidget>
#include <functional>

#include "app/option_binder.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// The wait cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Runs the pages' commands: the controls go into the session first, so an operation sees what the
// user typed and checked; afterwards the controls of the command's page and the connection states
// show what the operation changed.
class CommandRunner {
 public:
  CommandRunner(Session& session, OptionBinder& binder, Ui& ui, std::function<void()> show_states);

  // A failure that escapes the operation is reported, never left to unwind through the event loop.
  // A command that keeps the window usable while it runs (it pumps events and can be stopped) goes
  // without the wait cursor.
  void Run(const QWidget* scope, const std::function<void()>& command, bool wait_cursor = true);

 private:
  Session& session_;
  OptionBinder& binder_;
  Ui& ui_;
  std::function<void()> show_states_;
};

}  // namespace quarvel
