#include <gtest/gtest.h>

#include <QTest>
#include <map>
#include <set>

#include "tests/app/program_fixture.h"

namespace quarvel::test {
namespace {

using OptionBinderTest = ProgramTest;

bool IsCheckList(const QWidget* widget, OptionId id) {
  return qobject_cast<const QListWidget*>(widget) && SpecOf(id).kind != OptionKind::ItemList;
}

TEST_F(OptionBinderTest, EveryKeyHasExactlyOneControl) {
  Start();
  std::multiset<OptionId> bound;
  for (OptionId id : program().binder().BoundIds()) bound.insert(id);
  for (const OptionSpec& entry : AllOptionSpecs()) {
    // The draft of the filter criteria list is kept by its own tool, not shown as a control.
    size_t expected = entry.id == OptionId::FormEditNames_ListIDCriteriesForFilters ? 0 : 1;
    EXPECT_EQ(bound.count(entry.id), expected) << entry.section << "/" << entry.key;
  }
}

// A value other than the default for every key, loaded into the controls and stored back into
// defaults: whatever a control loses or changes shows up as a difference.
TEST_F(OptionBinderTest, EveryValueSurvivesLoadingAndStoring) {
  Start();
  const std::map<OptionId, int> integers = {
      {OptionId::ConToTD_Lang, 16},
      {OptionId::ConToTD_Reg, 62},
      {OptionId::WorkWithStore_FTP_checkEvery, 5},
      {OptionId::WorkWithStore_ValueForInc, 12},
      {OptionId::WorkWithStore_AddionalInfo_AddBeforeOrAfter, 1},
  };
  Session& session = program().session();
  OptionBinder& binder = program().binder();
  for (const OptionSpec& entry : AllOptionSpecs()) {
    switch (entry.kind) {
      case OptionKind::Text:
        session.options.SetText(entry.id, "value of " + std::string(entry.key) + " \xC3\xA4 ");
        break;
      case OptionKind::Boolean:
        session.options.SetBoolean(entry.id, entry.default_text != "1");
        break;
      case OptionKind::Integer:
        ASSERT_TRUE(integers.contains(entry.id)) << "pick a value for " << entry.key;
        session.options.SetInteger(entry.id, integers.at(entry.id));
        break;
      case OptionKind::ItemList:
        session.options.SetItems(entry.id, {"first line", "second line"});
        break;
      case OptionKind::IdList:
        break;
    }
  }
  binder.Load(session);

  Session stored;
  binder.Store(stored);
  for (OptionId id : binder.BoundIds()) {
    if (IsCheckList(binder.WidgetOf(id), id)) continue;
    EXPECT_EQ(stored.options.FileText(id), session.options.FileText(id))
        << SpecOf(id).section << "/" << SpecOf(id).key;
  }
}

TEST_F(OptionBinderTest, PeriodOutsideTheChoicesSelectsNoneAndIsKept) {
  Start("[WorkWithStore]\r\nFTP_checkEvery=7\r\n");
  auto* period = Control<ChoiceGroup>(OptionId::WorkWithStore_FTP_checkEvery);
  ASSERT_EQ(period->Button(4)->text(), "MINUTE");
  EXPECT_EQ(period->Selected(), -1);

  Session& session = program().session();
  program().binder().Store(session);
  EXPECT_EQ(session.options.Integer(OptionId::WorkWithStore_FTP_checkEvery), 7);

  QTest::mouseClick(period->Button(4), Qt::LeftButton);
  program().binder().Store(session);
  EXPECT_EQ(session.options.Integer(OptionId::WorkWithStore_FTP_checkEvery), 5);

  session.options.SetInteger(OptionId::WorkWithStore_FTP_checkEvery, 0);
  program().binder().Load(session);
  EXPECT_EQ(period->Selected(), -1);
}

TEST_F(OptionBinderTest, CheckListsTakeTheWidgetsChecksOnlyWhileShowingTheSameEntries) {
  Start();
  Session& session = program().session();
  CheckList& brands = session.lists.part_brands;
  brands.entries = {{"BOSCH", "30", true}, {"MANN", "4", false}, {"ATE", "12", false}};
  program().binder().Load(session);
  auto* list = Control<QListWidget>(OptionId::ExportData_CheckListParts_Brand);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);

  list->item(0)->setCheckState(Qt::Unchecked);
  list->item(2)->setCheckState(Qt::Checked);
  program().binder().Store(session);
  EXPECT_EQ(brands.CheckedIdList(), "[12]");

  // Refilled behind the widget: the widget's checks belong to other entries and are not taken.
  brands.entries = {{"ATE", "12", true}, {"BOSCH", "30", false}, {"MANN", "4", false}};
  program().binder().Store(session);
  EXPECT_EQ(brands.CheckedIdList(), "[12]");
  brands.entries.pop_back();
  program().binder().Store(session);
  EXPECT_EQ(brands.CheckedIdList(), "[12]");
}

TEST_F(OptionBinderTest, LanguageBoxShowsTheIdUntilNamesArrive) {
  Start("[ConToTD]\r\nLang=16\r\n");
  auto* language = Control<QComboBox>(OptionId::ConToTD_Lang);
  EXPECT_EQ(language->currentText(), "16");

  // Names filled by the catalogue keep their ids; the loaded id selects its name.
  language->clear();
  language->addItem("English", 4);
  language->addItem("German", 1);
  language->setCurrentIndex(1);
  Session& session = program().session();
  program().binder().Store(session);
  EXPECT_EQ(session.options.Integer(OptionId::ConToTD_Lang), 1);
  session.options.SetInteger(OptionId::ConToTD_Lang, 4);
  program().binder().Load(session);
  EXPECT_EQ(language->currentText(), "English");
}

}  // namespace
}  // namespace quarvel::test
