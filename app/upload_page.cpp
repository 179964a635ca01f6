#include "app/upload_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

#include "upload/clean_installation_command.h"

namespace quarvel {

namespace {

QPushButton* Command(const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setMinimumHeight(32);
  return button;
}

// Log entries hold bare carriage returns between their parts; each part is a row.
QStringList Rows(const std::string& entry) {
  QString text = QString::fromStdString(entry);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  text.replace(QChar('\n'), QChar('\r'));
  QStringList rows = text.split(QChar('\r'));
  if (rows.size() > 1 && rows.back().isEmpty()) rows.removeLast();
  return rows;
}

}  // namespace

UploadPage::UploadPage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
                       const PathDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), ui_(ui), commands_(commands), runner_(session) {
  auto* top = new QWidget;
  auto* top_layout = new QVBoxLayout(top);
  top_layout->setContentsMargins(0, 0, 0, 0);
  top_layout->addWidget(BuildFolder(binder, dialogs));
  top_layout->addWidget(BuildRun(binder), 1);
  top_layout->addWidget(BuildCleanInstallation());

  log_ = new QListWidget;
  log_->setObjectName(QStringLiteral("upload_log"));
  log_->setMinimumHeight(150);
  log_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(top);
  splitter->addWidget(log_);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  runner_.changed = [this] { ShowRunner(); };
  ShowRunner();
}

QWidget* UploadPage::BuildFolder(OptionBinder& binder, const PathDialogs& dialogs) {
  auto* box = new QGroupBox(tr("Path to data"));
  auto* form = new QFormLayout(box);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  folder_row_ = AddPathRow(form, binder, OptionId::ImportData_Path_to_data, PathKind::kFolder, dialogs,
                           [this] { ui_.Inform(kUploadFolderHelp); });
  use_export_folder_ = new QToolButton;
  use_export_folder_->setText(QStringLiteral("<<"));
  use_export_folder_->setToolTip(tr("The folder of the export"));
  folder_row_->InsertButton(use_export_folder_);
  // The question names the export folder as typed on the export page; Yes puts it into the box.
  connect(use_export_folder_, &QToolButton::clicked, this,
          [this] { commands_.Run(folder_row_, [this] { runner_.UseExportFolder(ui_); }); });
  return box;
}

QWidget* UploadPage::BuildRun(OptionBinder& binder) {
  auto* box = new QGroupBox(tr("SCRIPT FILES"));
  auto* layout = new QVBoxLayout(box);
  scripts_ = new QListWidget;
  scripts_->setObjectName(QStringLiteral("upload_scripts"));
  update_ = Command(QStringLiteral("  Update list ..."));
  toggle_ = Command(QStringLiteral("Check | Uncheck"));
  auto* list_commands = new QHBoxLayout;
  list_commands->addWidget(update_);
  list_commands->addWidget(toggle_);
  layout->addWidget(scripts_, 1);
  layout->addLayout(list_commands);

  start_ = Command(QStringLiteral("  START IMPORT"));
  stop_ = Command(QStringLiteral("  STOP IMPORT"));
  open_log_ = Command(QStringLiteral("  OPEN LOG-FILE"));
  QCheckBox* error_stop = binder.CheckBox(OptionId::ImportData_GetPause);
  auto* run_commands = new QHBoxLayout;
  run_commands->addWidget(start_);
  run_commands->addWidget(stop_);
  run_commands->addWidget(error_stop);
  run_commands->addStretch(1);
  run_commands->addWidget(open_log_);
  layout->addLayout(run_commands);
  status_ = new QLabel;
  progress_ = new QProgressBar;
  progress_->setRange(0, 100);
  layout->addWidget(status_);
  layout->addWidget(progress_);

  // A user's check goes into the runner's list at once, and so does the selection the toggle uses.
  connect(scripts_, &QListWidget::itemChanged, this,
          [this] { ReadCheckListWidget(scripts_, runner_.scripts()); });
  connect(scripts_, &QListWidget::currentRowChanged, this, [this](int row) { runner_.set_selected(row); });
  connect(update_, &QPushButton::clicked, this,
          [this] { commands_.Run(nullptr, [this] { runner_.UpdateScriptList(ui_); }); });
  connect(toggle_, &QPushButton::clicked, this, [this] { runner_.ToggleScriptChecks(); });
  // The run reads the switch when a statement fails, so a change during the run counts at once.
  connect(error_stop, &QCheckBox::toggled, this,
          [this](bool checked) { session_.options.SetBoolean(OptionId::ImportData_GetPause, checked); });
  // Without a wait cursor: the run keeps the window usable for "STOP IMPORT".
  connect(start_, &QPushButton::clicked, this, [this] {
    commands_.Run(
        nullptr, [this] { runner_.StartImport(ui_); }, /*wait_cursor=*/false);
  });
  connect(stop_, &QPushButton::clicked, this, [this] { runner_.StopImport(); });
  connect(open_log_, &QPushButton::clicked, this, [this] { runner_.OpenUploadLog(ui_); });
  return box;
}

QWidget* UploadPage::BuildCleanInstallation() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  clean_ = Command(QString::fromUtf8(kCleanInstallationCaption));
  clean_information_ = new QToolButton;
  clean_information_->setText(QStringLiteral("?"));
  tables_ = Command(QStringLiteral("Tables"));
  auto* row = new QHBoxLayout;
  row->addWidget(clean_, 1);
  row->addWidget(clean_information_);
  row->addWidget(tables_);
  layout->addLayout(row);
  hosting_link_ = new QLabel(QStringLiteral("<a href=\"help\">%1</a>")
                                 .arg(QString::fromStdString(HostingHelpCaption()).toHtmlEscaped()));
  hosting_link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  layout->addWidget(hosting_link_);

  connect(clean_, &QPushButton::clicked, this, [this] {
    // Its slow statements let events run; the upload must not start on the same connection meanwhile.
    cleaning_ = true;
    ShowRunner();
    commands_.Run(nullptr, [this] {
      RunCleanInstallation(session_, runner_.log(), ui_, [this] { emit storePageRequested(); });
    });
    cleaning_ = false;
    ShowWholeLog();
  });
  connect(clean_information_, &QToolButton::clicked, this,
          [this] { ui_.Inform(CleanInstallationInformation()); });
  connect(hosting_link_, &QLabel::linkActivated, this, [this] { ui_.OpenUrl(HostingHelpUrl()); });
  connect(tables_, &QPushButton::clicked, this, &UploadPage::tablesRequested);
  return box;
}

void UploadPage::ShowRunner() {
  const bool idle = runner_.state() == ImportState::kIdle && !cleaning_;
  if (shown_running_ == idle) {
    shown_running_ = !idle;
    emit runningChanged(shown_running_);
  }
  // The list and the store must not change under a run in progress.
  for (QWidget* command :
       {static_cast<QWidget*>(update_), static_cast<QWidget*>(toggle_), static_cast<QWidget*>(start_),
        static_cast<QWidget*>(clean_), static_cast<QWidget*>(scripts_), static_cast<QWidget*>(folder_row_)})
    command->setEnabled(idle);

  FillCheckListWidget(scripts_, runner_.scripts());
  {
    QSignalBlocker blocker(scripts_);
    scripts_->setCurrentRow(runner_.selected());
  }
  status_->setText(QString::fromStdString(runner_.status_line()));
  progress_->setValue(runner_.progress());

  const std::vector<std::string>& log = runner_.log();
  if (log.size() < shown_entries_) {
    ShowWholeLog();
    return;
  }
  for (; shown_entries_ < log.size(); ++shown_entries_) log_->addItems(Rows(log[shown_entries_]));
  if (log_->count() > 0) log_->scrollToBottom();
}

void UploadPage::ShowWholeLog() {
  log_->clear();
  shown_entries_ = 0;
  ShowRunner();
}

}  // namespace quarvel
