#pragma once

#include <QFormLayout>
#include <QWidget>

#include "app/option_binder.h"
#include "app/path_dialogs.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// "Preparation of data for export": templates, product values and picture options.
class PreparationPage : public QWidget {
  Q_OBJECT

 public:
  PreparationPage(Session& session, OptionBinder& binder, Ui& ui, const PathDialogs& dialogs,
                  QWidget* parent = nullptr);

  // Pictures taken from the catalogue need only the temporary folder; local pictures need the
  // pictures' and logos' folders.
  void ShowPathsFor(bool images_from_catalogue);

 private:
  QWidget* BuildImages(OptionBinder& binder, const PathDialogs& dialogs);

  Session& session_;
  Ui& ui_;
  QFormLayout* images_form_ = nullptr;
  QWidget* temp_path_ = nullptr;
  QWidget* images_path_ = nullptr;
  QWidget* logos_path_ = nullptr;
};

}  // namespace quarvel
