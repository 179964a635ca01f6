#pragma once

#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// "Setting connect to PrestaShop": the store connection's boxes.
class StorePage : public QWidget {
  Q_OBJECT

 public:
  explicit StorePage(OptionBinder& binder, QWidget* parent = nullptr);
};

}  // namespace quarvel
