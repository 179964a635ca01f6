#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

#include "app/choice_group.h"
#include "app/popup_combo_box.h"
#include "core/options.h"
#include "core/session.h"

namespace quarvel {

QString CaptionOf(OptionId id);

// Creates the control of each settings key and moves values between the controls and the session:
// Load puts the session's values into every bound control, Store copies them back. Pages only
// decide where the controls go.
class OptionBinder {
 public:
  // Text keys, and integer keys typed as their decimal text (text that is not a number stores the
  // key's default, as reading the settings file does).
  QLineEdit* LineEdit(OptionId id);
  QCheckBox* CheckBox(OptionId id);
  // The choices of the caption split at '|'. A boolean selects the first choice when true; an
  // integer selects the choice at value - first_value, none when outside, and a store with none
  // selected leaves the value as it was.
  ChoiceGroup* Choices(OptionId id, Qt::Orientation orientation = Qt::Vertical, int first_value = 0);
  // An integer id chosen from a list; until the list is filled it shows the id itself.
  PopupComboBox* IdCombo(OptionId id);
  // An item list: one row per line.
  QListWidget* Lines(OptionId id);
  // A check list of the session whose checks are stored under the given keys.
  QListWidget* Checks(CheckList SettingsLists::*list, std::initializer_list<OptionId> keys);

  // Creates the key's control by its kind and adds it to the form: captioned rows for boxes, whole
  // rows for check boxes and choices. Returns the control.
  QWidget* AddRow(QFormLayout* form, OptionId id);

  // Puts the session's values into the bound controls; with a scope, only into those inside it.
  void Load(const Session& session, const QWidget* scope = nullptr);
  void Store(Session& session) const;

  QWidget* WidgetOf(OptionId id) const;
  // Every key that has a control.
  std::vector<OptionId> BoundIds() const;

 private:
  struct Binding {
    std::vector<OptionId> ids;
    QPointer<QWidget> widget;
    std::function<void(QWidget*, const Session&)> load;
    std::function<void(const QWidget*, Session&)> store;
  };
  template <typename W>
  W* Bind(std::vector<OptionId> ids, W* widget, std::function<void(W*, const Session&)> load,
          std::function<void(const W*, Session&)> store);

  std::vector<Binding> bindings_;
};

// Shows the entries of a check list in a list widget, signals blocked so that filling is not taken
// for a user's check. A widget that already shows these entries only gets their checks, so its
// scroll position and selection stay.
void FillCheckListWidget(QListWidget* widget, const CheckList& list);
// Copies the widget's checks into the list when the widget still shows that list's entries.
void ReadCheckListWidget(const QListWidget* widget, CheckList& list);

}  // namespace quarvel
