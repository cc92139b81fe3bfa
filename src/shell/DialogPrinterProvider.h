#pragma once

#include "data/PrinterProviderBase.h"

class QWidget;

// The program's printing: the print dialog (a printer or a PDF file) asks for each job.
class DialogPrinterProvider : public PrinterProviderBase {
public:
    explicit DialogPrinterProvider(QWidget* owner) : owner_(owner) {}

    bool begin(int pageCount, int current) override;

private:
    QWidget* owner_;
};
