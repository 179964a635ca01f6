#include "app/option_binder.h"

#include <QSignalBlocker>
#include <algorithm>

namespace quarvel {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString CaptionOf(OptionId id) { return FromView(SpecOf(id).caption); }

template <typename W>
W* OptionBinder::Bind(std::vector<OptionId> ids, W* widget, std::function<void(W*, const Session&)> load,
                      std::function<void(const W*, Session&)> store) {
  Binding binding;
  binding.ids = std::move(ids);
  binding.widget = widget;
  binding.load = [load](QWidget* w, const Session& s) { load(static_cast<W*>(w), s); };
  binding.store = [store](const QWidget* w, Session& s) { store(static_cast<const W*>(w), s); };
  bindings_.push_back(std::move(binding));
  return widget;
}

QLineEdit* OptionBinder::LineEdit(OptionId id) {
  auto* edit = new QLineEdit;
  const OptionSpec& entry = SpecOf(id);
  edit->setObjectName(FromView(entry.section) + "_" + FromView(entry.key));
  if (entry.key == "Pass") edit->setEchoMode(QLineEdit::Password);
  return Bind<QLineEdit>(
      {id}, edit,
      [id](QLineEdit* w, const Session& s) { w->setText(QString::fromStdString(s.options.FileText(id))); },
      [id](const QLineEdit* w, Session& s) { s.options.SetFromFileText(id, w->text().toStdString()); });
}

QCheckBox* OptionBinder::CheckBox(OptionId id) {
  auto* box = new QCheckBox(CaptionOf(id));
  return Bind<QCheckBox>(
      {id}, box, [id](QCheckBox* w, const Session& s) { w->setChecked(s.options.Boolean(id)); },
      [id](const QCheckBox* w, Session& s) { s.options.SetBoolean(id, w->isChecked()); });
}

ChoiceGroup* OptionBinder::Choices(OptionId id, Qt::Orientation orientation, int first_value) {
  auto* group = new ChoiceGroup(CaptionOf(id).split('|'), orientation);
  if (SpecOf(id).kind == OptionKind::Boolean) {
    return Bind<ChoiceGroup>(
        {id}, group, [id](ChoiceGroup* w, const Session& s) { w->Select(s.options.Boolean(id) ? 0 : 1); },
        [id](const ChoiceGroup* w, Session& s) {
          if (w->Selected() >= 0) s.options.SetBoolean(id, w->Selected() == 0);
        });
  }
  return Bind<ChoiceGroup>(
      {id}, group,
      [id, first_value](ChoiceGroup* w, const Session& s) {
        // Computed in 64 bits: a stored value near INT_MIN must select nothing, not overflow.
        long long index = static_cast<long long>(s.options.Integer(id)) - first_value;
        w->Select(index >= 0 && index < w->Count() ? static_cast<int>(index) : -1);
      },
      [id, first_value](const ChoiceGroup* w, Session& s) {
        if (w->Selected() >= 0) s.options.SetInteger(id, w->Selected() + first_value);
      });
}

PopupComboBox* OptionBinder::IdCombo(OptionId id) {
  auto* combo = new PopupComboBox;
  return Bind<PopupComboBox>(
      {id}, combo,
      [id](PopupComboBox* w, const Session& s) {
        int value = s.options.Integer(id);
        int index = w->findData(value);
        if (index < 0) {
          w->clear();
          w->addItem(QString::number(value), value);
          index = 0;
        }
        w->setCurrentIndex(index);
      },
      [id](const PopupComboBox* w, Session& s) {
        bool ok = false;
        int value = w->currentData().toInt(&ok);
        if (ok) s.options.SetInteger(id, value);
      });
}

QListWidget* OptionBinder::Lines(OptionId id) {
  auto* list = new QListWidget;
  return Bind<QListWidget>(
      {id}, list,
      [id](QListWidget* w, const Session& s) {
        w->clear();
        for (const std::string& line : s.options.Items(id)) w->addItem(QString::fromStdString(line));
      },
      [id](const QListWidget* w, Session& s) {
        std::vector<std::string> items;
        for (int i = 0; i < w->count(); ++i) items.push_back(w->item(i)->text().toStdString());
        s.options.SetItems(id, std::move(items));
      });
}

QListWidget* OptionBinder::Checks(CheckList SettingsLists::*list, std::initializer_list<OptionId> keys) {
  auto* widget = new QListWidget;
  return Bind<QListWidget>(
      std::vector<OptionId>(keys), widget,
      [list](QListWidget* w, const Session& s) { FillCheckListWidget(w, s.lists.*list); },
      [list](const QListWidget* w, Session& s) { ReadCheckListWidget(w, s.lists.*list); });
}

QWidget* OptionBinder::AddRow(QFormLayout* form, OptionId id) {
  const OptionSpec& entry = SpecOf(id);
  switch (entry.kind) {
    case OptionKind::Boolean: {
      QWidget* control = entry.caption.find('|') != std::string_view::npos
                             ? static_cast<QWidget*>(Choices(id))
                             : static_cast<QWidget*>(CheckBox(id));
      form->addRow(control);
      return control;
    }
    case OptionKind::Integer:
      if (entry.caption.find('|') != std::string_view::npos) {
        ChoiceGroup* group = Choices(id, Qt::Horizontal);
        form->addRow(group);
        return group;
      }
      [[fallthrough]];
    case OptionKind::Text: {
      QLineEdit* edit = LineEdit(id);
      form->addRow(CaptionOf(id), edit);
      return edit;
    }
    case OptionKind::ItemList: {
      QListWidget* lines = Lines(id);
      form->addRow(CaptionOf(id), lines);
      return lines;
    }
    case OptionKind::IdList:
      break;
  }
  // Id lists are check lists; their pages place them with Checks().
  return nullptr;
}

void OptionBinder::Load(const Session& session, const QWidget* scope) {
  for (const Binding& binding : bindings_) {
    if (!binding.widget || (scope && !scope->isAncestorOf(binding.widget))) continue;
    binding.load(binding.widget, session);
  }
}

void OptionBinder::Store(Session& session) const {
  for (const Binding& binding : bindings_)
    if (binding.widget) binding.store(binding.widget, session);
}

QWidget* OptionBinder::WidgetOf(OptionId id) const {
  for (const Binding& binding : bindings_)
    if (std::find(binding.ids.begin(), binding.ids.end(), id) != binding.ids.end()) return binding.widget;
  return nullptr;
}

std::vector<OptionId> OptionBinder::BoundIds() const {
  std::vector<OptionId> ids;
  for (const Binding& binding : bindings_)
    if (binding.widget) ids.insert(ids.end(), binding.ids.begin(), binding.ids.end());
  return ids;
}

namespace {

bool ShowsEntries(const QListWidget* widget, const CheckList& list) {
  if (static_cast<size_t>(widget->count()) != list.entries.size()) return false;
  for (int i = 0; i < widget->count(); ++i) {
    if (widget->item(i)->text().toStdString() != list.entries[static_cast<size_t>(i)].text) return false;
  }
  return true;
}

Qt::CheckState StateOf(const CheckListEntry& entry) { return entry.checked ? Qt::Checked : Qt::Unchecked; }

}  // namespace

void FillCheckListWidget(QListWidget* widget, const CheckList& list) {
  QSignalBlocker blocker(widget);
  if (ShowsEntries(widget, list)) {
    for (int i = 0; i < widget->count(); ++i) {
      Qt::CheckState state = StateOf(list.entries[static_cast<size_t>(i)]);
      if (widget->item(i)->checkState() != state) widget->item(i)->setCheckState(state);
    }
    return;
  }
  widget->clear();
  for (const CheckListEntry& entry : list.entries) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), widget);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(StateOf(entry));
  }
}

void ReadCheckListWidget(const QListWidget* widget, CheckList& list) {
  // A list refilled behind the widget's back must not take checks meant for other entries.
  if (!ShowsEntries(widget, list)) return;
  for (int i = 0; i < widget->count(); ++i)
    list.entries[static_cast<size_t>(i)].checked = widget->item(i)->checkState() == Qt::Checked;
}

}  // namespace quarvel
