#include "platform/ui/Ui.h"

#include "platform/ui/QtUi.h"

namespace vb {

namespace {
Ui*& current()
{
    static Ui* ui = nullptr;
    return ui;
}
}  // namespace

Ui& Ui::instance()
{
    if (!current()) {
        static QtUi fallback;
        current() = &fallback;
    }
    return *current();
}

void Ui::install(Ui* ui) { current() = ui; }

}  // namespace vb
