#include "app/cleaning_list_window.h"

#include <QVBoxLayout>

namespace quarvel {

CleaningListWindow::CleaningListWindow(Session& session, OptionBinder& binder, QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session) {
  setWindowTitle("List of tables for cleaning");
  auto* layout = new QVBoxLayout(this);
  list_ = binder.Checks(&SettingsLists::cleaning_tables, {OptionId::ImportData_ListOfTablesForCleaning});
  toggle_ = new QPushButton(tr("Check / uncheck all"));
  layout->addWidget(list_, 1);
  layout->addWidget(toggle_);
  connect(toggle_, &QPushButton::clicked, this, [this] { ToggleCleaningChecks(); });
  resize(320, 560);
}

void CleaningListWindow::ToggleCleaningChecks() {
  CheckList& tables = session_.lists.cleaning_tables;
  ReadCheckListWidget(list_, tables);
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  tables.ToggleAll(selected.isEmpty() ? -1 : list_->row(selected.front()));
  // Checks set in place: refilling would lose the user's selection.
  if (static_cast<size_t>(list_->count()) != tables.entries.size()) return;
  for (int i = 0; i < list_->count(); ++i)
    list_->item(i)->setCheckState(tables.entries[static_cast<size_t>(i)].checked ? Qt::Checked
                                                                                 : Qt::Unchecked);
}

void CleaningListWindow::ShowOnTop() {
  show();
  raise();
  activateWindow();
}

}  // namespace quarvel
