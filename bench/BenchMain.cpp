// Benchmarks run with a real QApplication on the offscreen platform and the scripted Ui,
// so no message box or pause can stop a measurement.
#include "platform/ui/ScriptedUi.h"
#include "platform/vb/VbLocale.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vb::ScriptedUi ui;
    vb::Ui::install(&ui);
    vb::VbLocale::set(QLocale(QLocale::German, QLocale::Germany));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
