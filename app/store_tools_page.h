#pragma once

#include <QTabWidget>
#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// "Working with store": the options of the maintenance, exchange and SEO tools, one tab per area.
class StoreToolsPage : public QWidget {
  Q_OBJECT

 public:
  explicit StoreToolsPage(OptionBinder& binder, QWidget* parent = nullptr);

 private:
  QTabWidget* tabs_ = nullptr;
};

}  // namespace quarvel
