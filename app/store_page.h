#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "app/command_runner.h"
#include "app/option_binder.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// "Setting connect to PrestaShop": the store connection's boxes and commands, and the log panel of
// the structure test.
class StorePage : public QWidget {
  Q_OBJECT

 public:
  StorePage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
            QWidget* parent = nullptr);

  // Shows the session's store log; a line holding carriage returns takes one row per part.
  void ShowLog();

  QPushButton* TestButton() const { return test_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* StructureButton() const { return structure_; }
  QPushButton* OpenLogButton() const { return open_log_; }
  QListWidget* Log() const { return log_; }

 private:
  Session& session_;
  Ui& ui_;
  CommandRunner& commands_;
  QPushButton* test_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* structure_ = nullptr;
  QPushButton* open_log_ = nullptr;
  QListWidget* log_ = nullptr;
  std::vector<std::string> shown_log_;
};

}  // namespace quarvel
