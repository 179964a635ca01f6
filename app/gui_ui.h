#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>

#include "core/ui.h"

namespace quarvel {

// The windows' Ui: message boxes for reports and questions, the event loop for Pump, the desktop
// for opening files and addresses.
class GuiUi : public Ui {
 public:
  // Message boxes are centred on this window (none until it exists).
  void SetParentWindow(QWidget* window) { parent_ = window; }

  void Inform(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Ask(const std::string& question) override;
  // Runs pending events at most every kPumpInterval, so that a long loop pays for few repaints
  // while a stop press is still seen at once.
  void Pump() override;
  void OpenFile(const std::string& path) override;
  void OpenUrl(const std::string& url) override;

  static constexpr std::chrono::milliseconds kPumpInterval{20};

 private:
  QPointer<QWidget> parent_;
  std::chrono::steady_clock::time_point last_pump_{};
};

}  // namespace quarvel
