#pragma once

#include "platform/surface/PainterSurface.h"

#include <QString>
#include <memory>

class QImage;
class QPainter;
class QPrinter;

namespace vb {

// The printer: a QPrinter on a real printer or a PDF file, A4 landscape, the whole sheet as
// drawable area so that millimetres count from the paper's top-left corner. The job begins
// with the first drawing and ends with EndDoc (or is thrown away with KillDoc).
class PrinterSurface : public PainterSurface {
public:
    // An empty file name prints on the named printer (the system's default when empty too).
    explicit PrinterSurface(const QString& pdfFile = QString(), const QString& printerName = QString(),
                            int resolution = 600);
    ~PrinterSurface() override;

    Kind kind() const override { return Kind::Printer; }

    QPrinter& printer() { return *printer_; }
    void NewPage();
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
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QImage> scrap_;
    bool failed_ = false;
};

}  // namespace vb
