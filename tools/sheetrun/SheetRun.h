#pragma once

#include "platform/ui/ScriptedUi.h"

#include <QApplication>
#include <QString>
#include <QStringList>

// The frame of a sheet tool: an application on the offscreen platform (unless another is
// asked for), messages collected instead of shown, the German session locale, and the output
// folder from the command line (the current folder without one).
class SheetRun {
public:
    SheetRun(int& argc, char** argv);

    const QString& outputFolder() const { return out_; }
    // Prints the collected messages and the files written; 0 without messages, 2 with.
    int finish(const QStringList& files) const;

private:
    static int& offscreen(int& argc);

    QApplication app_;
    vb::ScriptedUi ui_;
    QString out_;
};
