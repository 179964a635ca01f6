#pragma once

#include <QTabWidget>
#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// "Export data": the export's folders and options, and the four selection lists on the
// "DATA FOR SELECTING" tab.
class ExportPage : public QWidget {
  Q_OBJECT

 public:
  explicit ExportPage(OptionBinder& binder, QWidget* parent = nullptr);

  QTabWidget* Tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_ = nullptr;
};

}  // namespace quarvel
