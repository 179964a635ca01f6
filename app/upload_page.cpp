#include "app/upload_page.h"

#include <QVBoxLayout>

#include "app/page_layout.h"

namespace quarvel {

UploadPage::UploadPage(OptionBinder& binder, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(OptionGroup(binder, tr("SCRIPT FILES"),
                                {OptionId::ImportData_Path_to_data, OptionId::ImportData_GetPause}));
  layout->addStretch(1);
}

}  // namespace quarvel
