#include "tests/support/scripted_ui.h"

namespace quarvel::test {

bool ScriptedUi::Ask(const std::string& question) {
  questions.push_back(question);
  if (answers.empty()) return false;
  bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedUi::Progress(const std::string& caption, int) { captions.push_back(caption); }

}  // namespace quarvel::test
