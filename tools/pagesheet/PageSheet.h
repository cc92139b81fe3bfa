#pragma once

#include <QScrollBar>
#include <QWidget>

namespace vb { class OutputSurface; }

// A sheet that shows the page building blocks at a glance: header and footer of a page for
// two records with the page number, a small page without it, the output page's point table
// scrolled to the top and to the middle, a table with a statistics block, a column aligned on
// the decimal mark and rotated labels with units and exponents. The same sheet goes to the
// screen picture (PNG) and to the printer (PDF); the printer prints the table rows the
// screen shows, so the screen is drawn first.
class PageSheet {
public:
    PageSheet();

    // Draws the sheet on an A4 landscape surface in millimetres.
    void draw(vb::OutputSurface& surface);

private:
    void header(vb::OutputSurface& surface);
    void smallPage(vb::OutputSurface& surface);
    void pointTable(vb::OutputSurface& surface, QScrollBar& bar, float left, const QString& title);
    void statistics(vb::OutputSurface& surface);
    void decimalColumn(vb::OutputSurface& surface);
    void labels(vb::OutputSurface& surface);

    // The scroll bars of the two point tables (they are not drawn on the sheet).
    QWidget holder_;
    QScrollBar top_, middle_;
};
