#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {

// The real program on a settings file of its own in a temporary folder, reporting to a ScriptedUi.
class ProgramTest : public ::testing::Test {
 protected:
  void Start(const std::string& settings_text = {}) {
    if (!settings_text.empty()) WriteFileBytes(SettingsFile(), settings_text);
    program_ = std::make_unique<Program>(SettingsFile(), &ui_);
  }
  std::filesystem::path SettingsFile() const { return folder_ / "Quarvel.ini"; }
  std::string SettingsText() const { return ReadFileBytes(SettingsFile()); }

  Program& program() { return *program_; }
  MainWindow& window() { return program_->main_window(); }
  template <typename W>
  W* Control(OptionId id) {
    W* control = qobject_cast<W*>(program_->binder().WidgetOf(id));
    EXPECT_NE(control, nullptr) << SpecOf(id).section << "/" << SpecOf(id).key;
    return control;
  }

  TempFolder folder_;
  ScriptedUi ui_;
  std::unique_ptr<Program> program_;
};

}  // namespace quarvel::test
