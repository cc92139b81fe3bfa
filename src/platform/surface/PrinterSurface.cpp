#include "platform/surface/PrinterSurface.h"

#include "platform/vb/VbError.h"

#include <QCoreApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

namespace vb {

PrinterSurface::PrinterSurface(const QString& pdfFile, const QString& printerName, int resolution)
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    if (!pdfFile.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile);
    } else if (!printerName.isEmpty()) {
        printer_->setPrinterName(printerName);
    }
    // The print queue and the PDF's properties name the program that printed.
    printer_->setDocName(QCoreApplication::applicationName());
    printer_->setCreator(QCoreApplication::applicationName());
    printer_->setResolution(resolution);
    printer_->setFullPage(true);
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    resetScale();
}

PrinterSurface::~PrinterSurface() { EndDoc(); }

QSizeF PrinterSurface::pixelSize() const
{
    return printer_->pageLayout().fullRectPixels(printer_->resolution()).size();
}

double PrinterSurface::dpiX() const { return printer_->resolution(); }
double PrinterSurface::dpiY() const { return printer_->resolution(); }

QPaintDevice* PrinterSurface::metricsDevice() const { return printer_.get(); }

QPainter& PrinterSurface::painter()
{
    if (painter_) return *painter_;
    auto painter = std::make_unique<QPainter>();
    if (painter->begin(printer_.get())) {
        painter_ = std::move(painter);
        return *painter_;
    }
    // The job could not start (no printer, a PDF file that cannot be written): that is said
    // once; the rest of the job draws into a scrap picture, so the page finishes quietly and
    // its end neither prints nor asks again.
    failed_ = true;
    discardPending();
    scrap_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    painter_ = std::make_unique<QPainter>(scrap_.get());
    raise(482, QStringLiteral("Printer error"));
}

void PrinterSurface::NewPage()
{
    flush();
    painter();  // a page that is left empty still counts
    printer_->newPage();
}

void PrinterSurface::EndDoc()
{
    if (!failed_) flush();  // the last lines may still wait in the batch
    discardPending();
    if (!painter_) return;
    painter_->end();
    painter_.reset();
    scrap_.reset();
    failed_ = false;  // the next job tries the printer again
    Cls();
}

void PrinterSurface::KillDoc()
{
    discardPending();
    if (!painter_) return;
    if (!failed_) printer_->abort();
    painter_->end();
    painter_.reset();
    scrap_.reset();
    failed_ = false;
}

}  // namespace vb
