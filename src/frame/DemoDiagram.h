#pragma once

#include <QImage>
#include <QString>

// The sample scan of the demo project: a printed diagram (settlement over load for three
// soil samples) rendered by us, then turned a fraction of a degree, blurred and stained a
// little, so that it calibrates and captures like a real scanned page.
class DemoDiagram {
public:
    // The clean diagram as it would have been printed.
    static QImage render(int width, int height);
    // The same diagram as a scanner would have returned it.
    static QImage scanned(int width, int height);
    static bool save(const QString& path);
};
