#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

// The floor of the PDF benchmarks: a bare QPrinter set up as the printer surface sets up its
// own (A4 landscape, 600 dpi, the whole sheet drawable), writing into `file`.
inline void setUpRawPdf(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(600);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
}
