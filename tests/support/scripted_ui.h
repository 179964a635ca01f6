#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/ui.h"

namespace quarvel::test {

// A Ui for tests: records every message and answers questions from a queue (No when it runs dry).
class ScriptedUi : public Ui {
 public:
  void Inform(const std::string& text) override { informed.push_back(text); }
  void Error(const std::string& text) override { errors.push_back(text); }
  bool Ask(const std::string& question) override;
  void Pump() override { ++pumps; }
  void Progress(const std::string& caption, int percent) override;
  void OpenFile(const std::string& path) override { opened_files.push_back(path); }
  void OpenUrl(const std::string& url) override { opened_urls.push_back(url); }

  std::deque<bool> answers;
  std::vector<std::string> informed;
  std::vector<std::string> errors;
  std::vector<std::string> questions;
  std::vector<std::string> captions;
  std::vector<std::string> opened_files;
  std::vector<std::string> opened_urls;
  long pumps = 0;
};

}  // namespace quarvel::test
