#pragma once

#include <QGroupBox>
#include <QScrollArea>
#include <QString>
#include <initializer_list>

#include "app/option_binder.h"

namespace quarvel {

// A titled box with one form row per key, in the given order.
QGroupBox* OptionGroup(OptionBinder& binder, const QString& title, std::initializer_list<OptionId> ids);
// Long pages scroll instead of forcing the window taller than the screen.
QScrollArea* Scrolled(QWidget* content);

}  // namespace quarvel
