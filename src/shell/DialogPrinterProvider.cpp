#include "shell/DialogPrinterProvider.h"

#include "platform/surface/PrinterSurface.h"
#include "platform/ui/Ui.h"

#include <QPrintDialog>
#include <QPrinter>

bool DialogPrinterProvider::begin(int pageCount, int current)
{
    auto surface = std::make_unique<vb::PrinterSurface>();
    QPrinter& printer = surface->printer();
    QPrintDialog dialog(&printer, owner_);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setMinMax(1, pageCount);
    if (current > 0) printer.setFromTo(current, current);
    printer.setPrintRange(QPrinter::AllPages);
    vb::Ui::instance().ShowModal(dialog);
    if (dialog.result() != QDialog::Accepted) return false;
    switch (printer.printRange()) {
    case QPrinter::PageRange: open(std::move(surface), printer.fromPage(), printer.toPage()); break;
    case QPrinter::CurrentPage: open(std::move(surface), current, current); break;
    default: open(std::move(surface), 1, pageCount); break;
    }
    return true;
}
