// Renders the graphics gallery sheet to a PNG (screen picture) and a PDF (printer):
//     gallery [output folder]
#include "GallerySheet.h"
#include "SheetRun.h"

#include "data/SessionContext.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    SheetRun run(argc, argv);
    const QString& out = run.outputFolder();
    QDir().mkpath(out);
    QTemporaryDir work;
    const QString database = work.filePath(QStringLiteral("GALLERY.mdb"));
    if (!QFile::copy(QStringLiteral(VELOR_TEMPLATE), database)) {
        std::fprintf(stderr, "cannot copy the template %s\n", VELOR_TEMPLATE);
        return 1;
    }
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    SessionContext session;
    session.cnnX.OpenFile(database);
    GallerySheet::prepareDatabase(session.cnnX);

    vb::PictureBox picture;
    picture.resize(1123, 794);  // A4 landscape at 96 dpi
    GallerySheet::draw(picture, session);
    const QString png = out + QStringLiteral("/gallery.png");
    picture.image().save(png);

    GallerySheet::prepareDatabase(session.cnnX);
    vb::PrinterSurface printer(out + QStringLiteral("/gallery.pdf"));
    GallerySheet::draw(printer, session);
    printer.EndDoc();

    return run.finish({png, out + QStringLiteral("/gallery.pdf")});
}
