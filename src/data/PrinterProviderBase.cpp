#include "data/PrinterProviderBase.h"

#include "platform/surface/PrinterSurface.h"
#include "platform/vb/VbError.h"

PrinterProviderBase::~PrinterProviderBase() { abort(); }

void PrinterProviderBase::open(std::unique_ptr<vb::PrinterSurface> printer, int from, int to)
{
    abort();
    printer_ = std::move(printer);
    sheets_ = 0;
    from_ = from;
    to_ = to;
}

vb::PrinterSurface& PrinterProviderBase::nextSheet()
{
    if (!printer_) vb::raise(482, QStringLiteral("Printer error"));
    if (sheets_++ > 0) printer_->NewPage();
    return *printer_;
}

void PrinterProviderBase::end()
{
    if (!printer_) return;
    // The job is over whatever its end reports (a PDF that could not be written).
    const std::unique_ptr<vb::PrinterSurface> printer = std::move(printer_);
    printer->EndDoc();
}

void PrinterProviderBase::abort()
{
    if (!printer_) return;
    printer_->KillDoc();
    printer_.reset();
}
