#include "app/command_runner.h"

#include <QGuiApplication>
#include <exception>
#include <optional>
#include <string>

#include "core/error_text.h"

namespace quarvel {

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

CommandRunner::CommandRunner(Session& session, OptionBinder& binder, Ui& ui,
                             std::function<void()> show_states)
    : session_(session), binder_(binder), ui_(ui), show_states_(std::move(show_states)) {}

void CommandRunner::Run(const QWidget* scope, const std::function<void()>& command, bool wait_cursor) {
  binder_.Store(session_);
  std::string failure;
  {
    std::optional<BusyCursor> busy;
    if (wait_cursor) busy.emplace();
    try {
      command();
    } catch (const std::exception& e) {
      failure = ErrorText(e);
    }
  }
  // Reported with the normal cursor back.
  if (!failure.empty()) ui_.Error(failure);
  if (scope) binder_.Load(session_, scope);
  if (show_states_) show_states_();
}

}  // namespace quarvel
