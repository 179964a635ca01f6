#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "tests/support/catalogue_fixture.h"
#include "tests/support/mariadb_test_server.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/store_fixture.h"
#include "tests/support/temp_folder.h"

namespace quarvel::test {

inline std::vector<std::string> Rows(const QListWidget* list) {
  std::vector<std::string> rows;
  for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
  return rows;
}

// A Ui whose pump runs what the test put there, as the window's event processing during a run would
// deliver the user's clicks.
class PumpingUi : public ScriptedUi {
 public:
  void Pump() override {
    ScriptedUi::Pump();
    if (on_pump) on_pump();
  }
  std::function<void()> on_pump;
};

// The real program on the SQLite catalogue fixture and a fresh store database, started with both
// connections open and the window shown.
class ConnectedProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MariadbServerPort()) GTEST_SKIP() << NoMariadbServerMessage();
    UseEmptyOdbcConfiguration();
    store_ = std::make_unique<FreshStoreDatabase>();
    platform::StoreConnectionParams p = store_->params();
    WriteFileBytes(folder_ / "Quarvel.ini",
                   "[ConToTD]\r\nDriver=" + catalogue_.settings().driver + "\r\nDatabase=" +
                       catalogue_.settings().database + "\r\n[ConToPresta]\r\nServer=" + p.host +
                       "\r\nPort=" + std::to_string(p.port) + "\r\nDatabase=" + p.database +
                       "\r\nPrefix=ps_\r\nUser=" + p.user + "\r\nPass=" + p.password + "\r\n");
    program_ = std::make_unique<Program>(folder_ / "Quarvel.ini", &ui_, DatabaseHooks());
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    ASSERT_TRUE(ui_.errors.empty()) << ui_.errors.front();
  }

  MainWindow& window() { return program_->main_window(); }
  void Open(MainWindow::Page page) {
    window().Pages()->setCurrentIndex(page);
    QCoreApplication::processEvents();
  }
  QLineEdit* Box(OptionId id) { return qobject_cast<QLineEdit*>(program_->binder().WidgetOf(id)); }
  // As the user types it: a command must see the box, not the loaded settings.
  void Type(OptionId id, const std::filesystem::path& path) {
    Box(id)->clear();
    QTest::keyClicks(Box(id), QString::fromStdString(path.string()));
  }
  static void Press(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  CatalogueFixture catalogue_;
  std::unique_ptr<FreshStoreDatabase> store_;
  TempFolder folder_;
  PumpingUi ui_;
  std::unique_ptr<Program> program_;
};

}  // namespace quarvel::test
