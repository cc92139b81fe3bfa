// Renders the graphics gallery sheet to a PNG (screen picture) and a PDF (printer):
//     gallery [output folder]
#include "GallerySheet.h"

#include "data/SessionContext.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/vb/VbLocale.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Messages of the engine are collected instead of shown, and printed at the end.
    vb::ScriptedUi ui;
    vb::Ui::install(&ui);
    vb::VbLocale::set(QLocale(QLocale::German, QLocale::Germany));

    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
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

    for (const auto& m : ui.messages)
        std::fprintf(stderr, "message [%s]: %s\n", qPrintable(m.title), qPrintable(m.text));
    std::printf("%s\n%s\n", qPrintable(png), qPrintable(out + QStringLiteral("/gallery.pdf")));
    return ui.messages.isEmpty() ? 0 : 2;
}
