// Writes the two-page vector PDF of the examples (text, then the straight demo diagram).
#include "frame/DemoDiagram.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: examplereport FILE.pdf\n");
        return 2;
    }
    return DemoDiagram::saveReport(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
