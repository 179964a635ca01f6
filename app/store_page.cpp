#include "app/store_page.h"

#include <QVBoxLayout>

#include "app/page_layout.h"

namespace quarvel {

StorePage::StorePage(OptionBinder& binder, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      OptionGroup(binder, tr("CONNECTION"),
                  {OptionId::ConToPresta_Server, OptionId::ConToPresta_Port, OptionId::ConToPresta_Database,
                   OptionId::ConToPresta_Prefix, OptionId::ConToPresta_User, OptionId::ConToPresta_Pass}));
  layout->addStretch(1);
}

}  // namespace quarvel
