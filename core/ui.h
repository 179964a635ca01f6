#pragma once

#include <string>

namespace quarvel {

// What an operation may ask of whoever started it: the window, the command line or a test.
// Operations never touch widgets; they report, ask and let pending events run through this.
class Ui {
 public:
  virtual ~Ui() = default;

  virtual void Inform(const std::string& text) = 0;
  virtual void Error(const std::string& text) = 0;
  // A Yes/No question; true means Yes.
  virtual bool Ask(const std::string& question) = 0;
  // Lets pending window events run (throttled by the implementation); a stop press is seen here.
  virtual void Pump() {}
  // Progress of a long operation: a caption such as "Wait [12] ..." and, when known, a percentage.
  virtual void Progress(const std::string& caption, int percent = -1) {
    (void)caption;
    (void)percent;
  }
  virtual void OpenFile(const std::string& path) { (void)path; }
  virtual void OpenUrl(const std::string& url) { (void)url; }
};

}  // namespace quarvel
