#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/command_runner.h"
#include "app/option_binder.h"
#include "app/popup_combo_box.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// "Setting connect to TecDoc": the catalogue connection's boxes and commands, the language and region
// boxes (each showing one name until opened) and the additional languages, saved as soon as a check
// changes.
class CataloguePage : public QWidget {
  Q_OBJECT

 public:
  CataloguePage(Session& session, OptionBinder& binder, Ui& ui, CommandRunner& commands,
                QWidget* parent = nullptr);

  // Shows what the session holds: the language and region names and the additional languages.
  void ShowCatalogueChoices();

  QPushButton* TestButton() const { return test_; }
  QPushButton* HelpButton() const { return help_; }
  QPushButton* SaveButton() const { return save_; }
  PopupComboBox* LanguageBox() const { return language_box_; }
  PopupComboBox* RegionBox() const { return region_box_; }
  QListWidget* AdditionalLanguages() const { return languages_; }

 private:
  void OpenLanguages();
  void OpenRegions();
  void Choose(PopupComboBox* box, int index, bool (*choose)(Session&, Ui&, const std::string&));
  void ChangeLanguageChecks();

  Session& session_;
  Ui& ui_;
  CommandRunner& commands_;
  QPushButton* test_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* save_ = nullptr;
  PopupComboBox* language_box_ = nullptr;
  PopupComboBox* region_box_ = nullptr;
  QListWidget* languages_ = nullptr;
};

}  // namespace quarvel
