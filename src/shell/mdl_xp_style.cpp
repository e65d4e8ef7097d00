#include "shell/mdl_xp_style.h"

#include <QApplication>
#include <QStyle>

namespace quillet {

bool InitXPStyle() {
    // Qt styles every widget from the platform theme already; there is nothing to
    // initialise beyond making sure an application object and its style exist.
    return QApplication::instance() != nullptr && QApplication::style() != nullptr;
}

} // namespace quillet
