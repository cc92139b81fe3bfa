#include "SheetRun.h"

#include "platform/vb/VbLocale.h"

#include <QDir>
#include <cstdio>

int& SheetRun::offscreen(int& argc)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

SheetRun::SheetRun(int& argc, char** argv) : app_(offscreen(argc), argv)
{
    vb::Ui::install(&ui_);
    vb::VbLocale::set(QLocale(QLocale::German, QLocale::Germany));
    out_ = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
}

int SheetRun::finish(const QStringList& files) const
{
    for (const auto& m : ui_.messages)
        std::fprintf(stderr, "message [%s]: %s\n", qPrintable(m.title), qPrintable(m.text));
    for (const auto& f : files) std::printf("%s\n", qPrintable(f));
    return ui_.messages.isEmpty() ? 0 : 2;
}
