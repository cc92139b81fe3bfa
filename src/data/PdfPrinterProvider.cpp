#include "data/PdfPrinterProvider.h"

#include "platform/surface/PrinterSurface.h"

#include <QDir>
#include <QFileInfo>

PdfPrinterProvider::PdfPrinterProvider(QString folder) : folder_(std::move(folder)) {}

void PdfPrinterProvider::choosePages(int from, int to)
{
    chosenFrom_ = from;
    chosenTo_ = to;
}

bool PdfPrinterProvider::begin(int pageCount, int)
{
    QDir().mkpath(folder_);
    int n = 1;
    QString file;
    do file = QDir(folder_).filePath(QStringLiteral("VELOR-%1.pdf").arg(n++));
    while (QFileInfo::exists(file));
    lastFile_ = file;
    const bool chosen = chosenFrom_ > 0;
    open(std::make_unique<vb::PrinterSurface>(file), chosen ? chosenFrom_ : 1, chosen ? chosenTo_ : pageCount);
    return true;
}

void PdfPrinterProvider::end()
{
    if (isOpen()) ++jobs_;
    PrinterProviderBase::end();
}
