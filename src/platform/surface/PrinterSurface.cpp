#include "platform/surface/PrinterSurface.h"

#include "platform/os/Os.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
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

PrinterSurface::~PrinterSurface()
{
    // A job still open when the printer goes ends as EndDoc ends it; nobody is left to hear
    // of a PDF that could not be written, and it leaves no file either way.
    try {
        EndDoc();
    } catch (const VbError&) {
    }
}

QSizeF PrinterSurface::pixelSize() const
{
    return printer_->pageLayout().fullRectPixels(printer_->resolution()).size();
}

double PrinterSurface::dpiX() const { return printer_->resolution(); }
double PrinterSurface::dpiY() const { return printer_->resolution(); }

QPaintDevice* PrinterSurface::metricsDevice() const { return printer_.get(); }

QString PrinterSurface::pdfTarget() const
{
    return printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
}

QPagedPaintDevice& PrinterSurface::device()
{
    if (pdfWriter_) return *pdfWriter_;
    return *printer_;
}

bool PrinterSurface::beginPdf()
{
    // What a killed job to the same file left behind goes now.
    TemporaryFile::removeLeftovers(target_);
    // The folder must take the file before anything is drawn: a refusal is said at once.
    try {
        TemporaryFile probe(target_);
    } catch (const VbError& e) {
        reason_ = e.description();
        return false;
    }
    pdf_ = std::make_unique<QBuffer>();
    pdf_->open(QIODevice::WriteOnly);
    pdfWriter_ = std::make_unique<QPdfWriter>(pdf_.get());
    pdfWriter_->setPageLayout(printer_->pageLayout());
    pdfWriter_->setResolution(printer_->resolution());
    pdfWriter_->setTitle(printer_->docName());
    pdfWriter_->setCreator(printer_->creator());
    return true;
}

QPainter& PrinterSurface::painter()
{
    if (painter_) return *painter_;
    target_ = pdfTarget();
    reason_.clear();
    auto painter = std::make_unique<QPainter>();
    if ((target_.isEmpty() || beginPdf()) && painter->begin(&device())) {
        painter_ = std::move(painter);
        return *painter_;
    }
    // The job could not start (no printer, a PDF file that cannot be written): that is said
    // once; the rest of the job draws into a scrap picture, so the page finishes quietly and
    // its end neither prints nor asks again.
    failed_ = true;
    pdfWriter_.reset();
    pdf_.reset();
    discardPending();
    scrap_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    painter_ = std::make_unique<QPainter>(scrap_.get());
    raise(482, failure());
}

QString PrinterSurface::failure() const
{
    if (reason_.isEmpty()) return QStringLiteral("Printer error");
    return QStringLiteral("Printer error: %1 (%2)").arg(QDir::toNativeSeparators(target_), reason_);
}

void PrinterSurface::NewPage()
{
    flush();
    painter();  // a page that is left empty still counts
    device().newPage();
}

void PrinterSurface::closeJob()
{
    painter_->end();
    painter_.reset();
    pdfWriter_.reset();
    scrap_.reset();
    failed_ = false;  // the next job tries the printer again
}

void PrinterSurface::EndDoc()
{
    if (!failed_) flush();  // the last lines may still wait in the batch
    discardPending();
    if (!painter_) return;
    const bool complete = !failed_;
    closeJob();
    Cls();
    if (!pdf_) return;
    const QByteArray data = pdf_->data();
    pdf_.reset();
    if (complete) writePdf(data);
}

void PrinterSurface::writePdf(const QByteArray& data)
{
    // Written whole or not at all, through a file of our own beside the PDF that becomes the
    // PDF only when all of its bytes are on the disk.
    if (!Os::writeFile(target_, data, &reason_)) raise(482, failure());
}

void PrinterSurface::KillDoc()
{
    discardPending();
    if (!painter_) return;
    // A PDF in memory is simply dropped; a printer is told to throw its job away.
    if (!failed_ && !pdfWriter_) printer_->abort();
    closeJob();
    pdf_.reset();
}

}  // namespace vb
