#pragma once

namespace vb { class PrinterSurface; }

// Opens the one print job of a print command. The program asks with the print dialog
// (printer or PDF file); scripts and tests print into PDF files in a folder. Pages printed
// by one command land in the same job, one sheet each:
//
//     if (!printers.begin(pageCount, current)) return;      // cancelled: nothing printed
//     for (int n = printers.fromPage(); n <= printers.toPage(); ++n)
//         page(n)->DRUCKEN();                                // each asks nextSheet()
//     printers.end();
//
// A page printed on its own (no job open) opens a one-page job itself.
class PrinterProvider {
public:
    virtual ~PrinterProvider() = default;

    // Asks for the printer and the page range among pages 1..pageCount, `current`
    // preselected (0: none). False when the user cancelled; no job is open then.
    virtual bool begin(int pageCount, int current) = 0;
    // The page range the user chose (all pages when the choice was kept).
    virtual int fromPage() const = 0;
    virtual int toPage() const = 0;
    virtual bool isOpen() const = 0;
    // The surface for the next page: the first call starts the job, later calls a new sheet.
    virtual vb::PrinterSurface& nextSheet() = 0;
    // Finishes the job (the PDF is written; one that cannot be raises error 482 with the
    // reason, the job is over all the same) or throws it away.
    virtual void end() = 0;
    virtual void abort() = 0;
};
