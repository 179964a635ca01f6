#pragma once

#include <QWidget>

#include "app/option_binder.h"

namespace quarvel {

// "Upload data into the store": the folder of the script files and the stop-on-error option.
class UploadPage : public QWidget {
  Q_OBJECT

 public:
  explicit UploadPage(OptionBinder& binder, QWidget* parent = nullptr);
};

}  // namespace quarvel
