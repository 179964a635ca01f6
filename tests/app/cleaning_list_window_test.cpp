#include <gtest/gtest.h>

#include <vector>

#include "tests/app/program_fixture.h"

namespace quarvel::test {
namespace {

using CleaningListWindowTest = ProgramTest;

std::vector<bool> Checks(const QListWidget* list) {
  std::vector<bool> checks;
  for (int i = 0; i < list->count(); ++i) checks.push_back(list->item(i)->checkState() == Qt::Checked);
  return checks;
}

TEST_F(CleaningListWindowTest, ToggleGivesEveryEntryTheInvertedCheckOfTheSelectedOne) {
  struct Case {
    const char* stored;
    int selected;  // -1: none
    bool expected;
  };
  const Case cases[] = {
      {"[1]", -1, true},      // first entry unchecked: all checked
      {"[0][2]", -1, false},  // first entry checked: all unchecked
      {"[0][2]", 1, true},    // the selected entry counts, not the first
      {"[0][2]", 2, false},
  };
  for (const Case& c : cases) {
    program_.reset();
    Start(std::string("[ImportData]\r\nListOfTablesForCleaning=") + c.stored + "\r\n");
    CleaningListWindow& window = program().cleaning_list();
    if (c.selected >= 0) window.List()->setCurrentRow(c.selected);
    window.ToggleButton()->click();
    EXPECT_EQ(Checks(window.List()), std::vector<bool>(31, c.expected)) << c.stored << " " << c.selected;
  }
}

TEST_F(CleaningListWindowTest, ToggleOnAnEmptyListDoesNothing) {
  Start();
  CleaningListWindow& window = program().cleaning_list();
  window.List()->clear();
  window.ToggleButton()->click();
  EXPECT_EQ(window.List()->count(), 0);
}

}  // namespace
}  // namespace quarvel::test
