#include "app/main_window.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStatusBar>
#include <QVBoxLayout>
#include <exception>

#include "app/catalogue_page.h"
#include "app/export_page.h"
#include "app/preparation_page.h"
#include "app/store_page.h"
#include "app/store_tools_page.h"
#include "app/upload_page.h"
#include "app/version.h"
#include "core/settings.h"

namespace quarvel {

MainWindow::MainWindow(Session& session, OptionBinder& binder, Ui& ui, QWidget* parent)
    : QMainWindow(parent), session_(session), binder_(binder), ui_(ui), runner_(session, binder, ui, [this] {
        ShowConnectionStates();
      }) {
  setWindowTitle(QStringLiteral("Quarvel %1").arg(kVersion));

  pages_ = new QStackedWidget;
  // Added in the order of Page.
  catalogue_page_ = new CataloguePage(session, binder, ui, runner_);
  store_page_ = new StorePage(session, binder, ui, runner_);
  pages_->addWidget(catalogue_page_);
  pages_->addWidget(store_page_);
  pages_->addWidget(new PreparationPage(session, binder, ui, dialogs_));
  export_page_ = new ExportPage(session, binder, ui, runner_, dialogs_);
  pages_->addWidget(export_page_);
  connect(export_page_, &ExportPage::runningChanged, this,
          [this](bool running) { SetCommandsEnabled(!running); });
  connect(export_page_, &ExportPage::storePageRequested, this,
          [this] { pages_->setCurrentIndex(kStorePage); });
  upload_page_ = new UploadPage(session, binder, ui, runner_, dialogs_);
  pages_->addWidget(upload_page_);
  connect(upload_page_, &UploadPage::tablesRequested, this, &MainWindow::tablesRequested);
  connect(upload_page_, &UploadPage::runningChanged, this,
          [this](bool running) { SetCommandsEnabled(!running); });
  connect(upload_page_, &UploadPage::storePageRequested, this,
          [this] { pages_->setCurrentIndex(kStorePage); });
  pages_->addWidget(new StoreToolsPage(binder));

  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(BuildCommandPanel());
  layout->addWidget(pages_, 1);
  setCentralWidget(central);

  status_ = new ConnectionStatusBar(ui);
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(true);
  resize(1100, 760);
}

QWidget* MainWindow::BuildCommandPanel() {
  auto* panel = new QWidget;
  panel->setFixedWidth(240);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* page_group = new QButtonGroup(panel);

  struct PageCommand {
    const char* caption;
    Page page;
  };
  const PageCommand page_commands[] = {
      {"Setting connect to TecDoc", kCataloguePage},        {"Setting connect to PrestaShop", kStorePage},
      {"Preparation of data for export", kPreparationPage}, {"Export data", kExportPage},
      {"Upload data into the store", kUploadPage},          {"Working with store", kStoreToolsPage},
  };
  for (const PageCommand& command : page_commands) {
    auto* button = new QPushButton(QString::fromUtf8(command.caption));
    button->setCheckable(true);
    button->setMinimumHeight(36);
    page_group->addButton(button, command.page);
    layout->addWidget(button);
    commands_.push_back(button);
    connect(button, &QPushButton::clicked, this,
            [this, page = command.page] { pages_->setCurrentIndex(page); });
  }
  commands_.front()->setChecked(true);
  // The panel marks the page shown, also when a command elsewhere switches pages.
  connect(pages_, &QStackedWidget::currentChanged, page_group, [page_group](int page) {
    if (QAbstractButton* button = page_group->button(page)) button->setChecked(true);
  });

  layout->addSpacing(16);
  auto* tables = new QPushButton(QStringLiteral("Tables"));
  connect(tables, &QPushButton::clicked, this, &MainWindow::tablesRequested);
  auto* help = new QPushButton(QStringLiteral("SETTING"));
  connect(help, &QPushButton::clicked, this, [this] { ui_.OpenUrl(kStoreSettingsHelpUrl); });
  for (QPushButton* button : {tables, help}) {
    button->setMinimumHeight(36);
    layout->addWidget(button);
    commands_.push_back(button);
  }
  layout->addStretch(1);
  return panel;
}

void MainWindow::ShowConnectionStates() {
  status_->SetCatalogueConnected(session_.catalogue_state.connected);
  status_->SetCatalogueStatus(QString::fromStdString(session_.catalogue_state.status));
  status_->SetStoreConnected(session_.store_state.connected);
  status_->SetStoreStatus(QString::fromStdString(session_.store_state.status));
  catalogue_page_->ShowCatalogueChoices();
  store_page_->ShowLog();
  export_page_->ShowSelectionLists();
  if (auto* option = qobject_cast<QCheckBox*>(binder_.WidgetOf(OptionId::ExportData_AddAdditionalLanguages)))
    option->setText(QString::fromStdString(session_.catalogue_choices.additional_languages_caption));
}

void MainWindow::SetCommandsEnabled(bool enabled) {
  for (QPushButton* button : commands_) button->setEnabled(enabled);
}

QPushButton* MainWindow::Command(const QString& caption) const {
  for (QPushButton* button : commands_)
    if (button->text() == caption) return button;
  return nullptr;
}

bool MainWindow::SaveOnClose() {
  binder_.Store(session_);
  try {
    return SaveSettingsOnClose(session_, ui_, disconnect_);
  } catch (const std::exception& e) {
    // Closing anyway would lose every change silently; the user decides.
    return ui_.Ask("The settings could not be saved: " + std::string(e.what()) + "\nClose anyway?");
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // An export or upload in progress is still on the call stack: closing now would tear the window down
  // under it. Closing asks the run to stop instead; once it has ended the window can be closed.
  if (export_page_->Runner().IsRunning()) {
    export_page_->Runner().StopExport();
    event->ignore();
    return;
  }
  if (upload_page_->Runner().state() != ImportState::kIdle) {
    upload_page_->Runner().StopImport();
    event->ignore();
    return;
  }
  if (!SaveOnClose()) {
    event->ignore();
    return;
  }
  // The tool windows belong to this one and must not outlive it on screen.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isWindow()) child->hide();
  event->accept();
}

}  // namespace quarvel
