// Renders the page sheet to a PNG (screen picture, A4 landscape at 96 dpi) and a PDF
// (printer):
//     pagesheet [output folder]
// Exit code 0 only when nothing reported a message.
#include "PageSheet.h"
#include "SheetRun.h"

#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    SheetRun run(argc, argv);
    const QString& out = run.outputFolder();
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create the folder %s\n", qPrintable(out));
        return 1;
    }
    PageSheet sheet;
    vb::PictureBox picture;
    picture.resize(1123, 794);  // A4 landscape at 96 dpi
    sheet.draw(picture);
    const QString png = out + QStringLiteral("/sheet.png");
    if (!picture.image().save(png)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
        return 1;
    }
    // The printer after the screen: it prints the table rows the screen shows.
    const QString pdf = out + QStringLiteral("/sheet.pdf");
    {
        vb::PrinterSurface printer(pdf);
        sheet.draw(printer);
        printer.EndDoc();
    }
    if (!QFileInfo(pdf).isFile()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(pdf));
        return 1;
    }
    return run.finish({png, pdf});
}
