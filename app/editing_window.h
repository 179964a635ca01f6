#pragma once

#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// The secondary window of the store tools. For now it holds one page with its own options; the
// tools' commands choose and show it.
class EditingWindow : public QWidget {
  Q_OBJECT

 public:
  explicit EditingWindow(OptionBinder& binder, QWidget* parent = nullptr);
};

}  // namespace quarvel
