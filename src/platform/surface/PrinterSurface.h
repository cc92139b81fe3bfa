#pragma once

#include "platform/surface/PainterSurface.h"

#include <QString>
#include <memory>

class QBuffer;
class QImage;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace vb {

// The printer: a QPrinter on a real printer or a PDF file, A4 landscape, the whole sheet as
// drawable area so that millimetres count from the paper's top-left corner. The job begins
// with the first drawing and ends with EndDoc (or is thrown away with KillDoc).
//
// A PDF job is made in memory and written at its end in one go, through a temporary file
// renamed into place: a job that fails or is thrown away leaves no file, a full disk or a
// folder without permission is reported (error 482 with the reason), never an empty PDF.
class PrinterSurface : public PainterSurface {
public:
    // An empty file name prints on the named printer (the system's default when empty too).
    explicit PrinterSurface(const QString& pdfFile = QString(), const QString& printerName = QString(),
                            int resolution = 600);
    ~PrinterSurface() override;

    Kind kind() const override { return Kind::Printer; }

    QPrinter& printer() { return *printer_; }
    void NewPage();
    // Ends the job; a PDF that cannot be written raises error 482 with the reason, after
    // the job is over (the next job starts afresh).
    void EndDoc();
    void KillDoc();
    // A job runs from the first drawing (even one still waiting in the batch) to its end.
    bool isPrinting() const { return painter_ != nullptr || hasPending(); }

protected:
    QSizeF pixelSize() const override;
    double dpiX() const override;
    double dpiY() const override;
    QPaintDevice* metricsDevice() const override;
    QPainter& painter() override;

private:
    // The PDF file a job writes; empty for a real printer.
    QString pdfTarget() const;
    // The device the job draws on: the PDF in memory, else the printer.
    QPagedPaintDevice& device();
    bool beginPdf();
    // Error 482's description: the file and the reason when a PDF failed.
    QString failure() const;
    // Closes the painter and forgets the job but its PDF bytes.
    void closeJob();
    void writePdf(const QByteArray& data);

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QBuffer> pdf_;
    std::unique_ptr<QPdfWriter> pdfWriter_;
    QString target_;
    QString reason_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QImage> scrap_;
    bool failed_ = false;
};

}  // namespace vb
