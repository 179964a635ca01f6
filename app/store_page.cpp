#include "app/store_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

#include "app/page_layout.h"
#include "core/settings.h"
#include "core/store_connection_ops.h"

namespace quarvel {

namespace {

QPushButton* Command(const QString& caption, const char* object_name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromUtf8(object_name));
  button->setMinimumHeight(32);
  return button;
}

// Error blocks of the structure test hold carriage returns (some messages CR LF); each part is a row.
QStringList Rows(const std::string& line) {
  QString text = QString::fromStdString(line);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  text.replace(QChar('\n'), QChar('\r'));
  return text.split(QChar('\r'));
}

}  // namespace

StorePage::StorePage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands, QWidget* parent)
    : QWidget(parent), session_(session), ui_(ui), commands_(commands) {
  auto* layout = new QVBoxLayout(this);
  QGroupBox* connection =
      OptionGroup(binder, tr("CONNECTION"),
                  {OptionId::ConToPresta_Server, OptionId::ConToPresta_Port, OptionId::ConToPresta_Database,
                   OptionId::ConToPresta_Prefix, OptionId::ConToPresta_User, OptionId::ConToPresta_Pass});
  test_ = Command(QStringLiteral("TEST CONNECT TO DATABASE PRESTASHOP STORE"), "store_test");
  save_ = Command(QStringLiteral("SAVE SETTINGS"), "store_save");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(test_, 2);
  buttons->addWidget(save_, 1);
  static_cast<QFormLayout*>(connection->layout())->addRow(buttons);
  layout->addWidget(connection);

  auto* structure = new QGroupBox(QStringLiteral("TEST STRUCTURE OF TABLES AND RECEIVING DEFAULT VALUES"));
  auto* structure_layout = new QVBoxLayout(structure);
  structure_ = Command(QStringLiteral("TEST"), "store_structure_test");
  log_ = new QListWidget;
  log_->setObjectName(QStringLiteral("store_log"));
  log_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  open_log_ = Command(QStringLiteral("OPEN THE DATA IN A SEPARATE WINDOW"), "store_open_log");
  structure_layout->addWidget(structure_);
  structure_layout->addWidget(log_, 1);
  structure_layout->addWidget(open_log_);
  layout->addWidget(structure, 1);

  connect(test_, &QPushButton::clicked, this,
          [this] { commands_.Run(this, [this] { TestStoreConnection(session_, ui_); }); });
  connect(save_, &QPushButton::clicked, this, [this] {
    commands_.Run(this, [this] {
      try {
        SaveStoreConnection(session_);
      } catch (const std::exception& e) {
        ui_.Error(e.what());
      }
    });
  });
  connect(structure_, &QPushButton::clicked, this,
          [this] { commands_.Run(this, [this] { TestStoreStructure(session_, ui_); }); });
  connect(open_log_, &QPushButton::clicked, this,
          [this] { commands_.Run(nullptr, [this] { OpenStoreLog(session_, ui_); }); });
}

void StorePage::ShowLog() {
  // Every connection change repaints the page; an unchanged log keeps its scroll position.
  if (session_.store_log == shown_log_) return;
  shown_log_ = session_.store_log;
  log_->clear();
  for (const std::string& line : shown_log_) log_->addItems(Rows(line));
}

}  // namespace quarvel
