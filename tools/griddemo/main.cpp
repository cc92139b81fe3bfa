// The grid demo: a configured measurement grid to try editing by hand, or, with
// --screenshot <file>, a picture of it rendered offscreen.
#include "GridDemoWindow.h"
#include "platform/ui/QtUi.h"
#include "platform/vb/VbLocale.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    QString screenshot;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--screenshot")) screenshot = QString::fromLocal8Bit(argv[i + 1]);
    if (!screenshot.isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vb::QtUi ui;
    vb::Ui::install(&ui);
    vb::VbLocale::set(QLocale(QLocale::German, QLocale::Germany));

    GridDemoWindow window;
    window.show();
    if (!screenshot.isEmpty()) {
        // A current cell with a selection, so the picture shows how both look.
        QApplication::processEvents();
        return window.grab().save(screenshot) ? 0 : 1;
    }
    return app.exec();
}
