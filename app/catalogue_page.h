#pragma once

#include <QListWidget>
#include <QWidget>

#include "app/option_binder.h"
#include "core/session.h"
#include "core/ui.h"

namespace quarvel {

// "Setting connect to TecDoc": the catalogue connection's boxes, language and region, and the
// additional languages, whose checks are saved as soon as they change.
class CataloguePage : public QWidget {
  Q_OBJECT

 public:
  CataloguePage(Session& session, OptionBinder& binder, Ui& ui, QWidget* parent = nullptr);

 private:
  void SaveLanguageChecks();

  Session& session_;
  OptionBinder& binder_;
  Ui& ui_;
  QListWidget* languages_ = nullptr;
};

}  // namespace quarvel
