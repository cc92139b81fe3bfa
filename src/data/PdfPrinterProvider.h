#pragma once

#include "data/PrinterProviderBase.h"

#include <QString>

// Prints into PDF files in a folder, without asking: the scripted session and the tests.
// Each job is a new file VELOR-1.pdf, VELOR-2.pdf, ... (an existing file is never replaced).
class PdfPrinterProvider : public PrinterProviderBase {
public:
    explicit PdfPrinterProvider(QString folder);

    // The range the next job prints, as a user would choose it in the dialog; by default
    // all pages.
    void choosePages(int from, int to);

    bool begin(int pageCount, int current) override;
    void end() override;

    // The file of the last job; empty before the first.
    QString lastFile() const { return lastFile_; }
    // Jobs finished so far.
    int jobs() const { return jobs_; }

private:
    QString folder_;
    QString lastFile_;
    int chosenFrom_ = 0;
    int chosenTo_ = 0;
    int jobs_ = 0;
};
