#include "app/path_row.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>

#include "export/export_help.h"

namespace quarvel {

PathRow::PathRow(QLineEdit* edit, PathKind kind, const PathDialogs& dialogs, std::function<void()> help,
                 std::function<QString()> start_folder, QWidget* parent)
    : QWidget(parent), edit_(edit), kind_(kind), dialogs_(dialogs), start_folder_(std::move(start_folder)) {
  picker_ = new QToolButton;
  picker_->setText(QStringLiteral("..."));
  picker_->setObjectName(edit->objectName() + QStringLiteral("_picker"));
  help_ = new QToolButton;
  help_->setText(QStringLiteral("?"));
  help_->setAutoRaise(true);
  help_->setObjectName(edit->objectName() + QStringLiteral("_help"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_, 1);
  layout->addWidget(picker_);
  layout->addWidget(help_);

  connect(picker_, &QToolButton::clicked, this, [this] { Pick(); });
  connect(help_, &QToolButton::clicked, this, [help = std::move(help)] {
    if (help) help();
  });
}

void PathRow::InsertButton(QToolButton* button) {
  static_cast<QHBoxLayout*>(layout())->insertWidget(layout()->indexOf(picker_), button);
}

void PathRow::Pick() {
  QString start = start_folder_ ? start_folder_() : QString();
  const QString text = edit_->text().trimmed();
  if (start.isEmpty() && !text.isEmpty()) {
    // Open where the box points, or at its folder when it names a file.
    QFileInfo current(text);
    start = kind_ == PathKind::kFile && !current.isDir() ? current.path() : current.filePath();
  }
  const PathDialogs::Dialog& dialog =
      kind_ == PathKind::kFolder ? dialogs_.choose_folder : dialogs_.choose_file;
  if (!dialog) return;
  const QString title =
      kind_ == PathKind::kFolder ? QString::fromUtf8(exporting::kChooseDirectoryTitle) : QString();
  QString chosen = dialog(window(), title, start);
  if (chosen.isEmpty()) return;  // cancelled
  edit_->setText(QDir::toNativeSeparators(chosen));
}

PathRow* AddPathRow(QFormLayout* form, OptionBinder& binder, OptionId id, PathKind kind,
                    const PathDialogs& dialogs, std::function<void()> help,
                    std::function<QString()> start_folder) {
  auto* row = new PathRow(binder.LineEdit(id), kind, dialogs, std::move(help), std::move(start_folder));
  form->addRow(CaptionOf(id), row);
  return row;
}

}  // namespace quarvel
