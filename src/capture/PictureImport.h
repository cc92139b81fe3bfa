#pragma once

#include <QImage>
#include <QString>

// Brings a scan from anywhere into the project's picture folder, where the capture window
// lists it: a picture file is copied, a PDF page is rendered into a PNG, a pasted image is
// saved as a PNG. A name the folder already holds asks whether to replace that file or to
// keep both. Every question and message goes through the Ui service.
class PictureImport {
public:
    PictureImport(QString folder, bool english);

    // The name (in the folder) of the picture made from `path`; empty when the user cancelled
    // or the file cannot be read (then a message has said why).
    QString bringIn(const QString& path) const;
    QString paste(const QImage& image) const;

    // The file dialog's filter: the picture formats Qt reads and PDF.
    static QString fileFilter();
    // The resolution PDF pages are rendered at (setting "VELOR" / "Extras" / "PdfDpi", 300).
    static int pdfDpi();
    // Renders page `page` (0-based) of a PDF at `dpi` onto white: the picture keeps the
    // page's geometry (x mm from the left edge lie at x / 25.4 * dpi pixels). A null image
    // when the page cannot be rendered.
    static QImage renderPdfPage(const QString& pdf, int page, int dpi);
    // The name a copy gets beside an existing file: "Name (2).png", "Name (3).png", …
    static QString secondName(const QString& folder, const QString& name);

private:
    QString fromPdf(const QString& path) const;
    // The name to write `proposed` under: itself, a second name, or empty (cancelled).
    QString target(const QString& proposed) const;
    QString store(const QImage& image, const QString& proposed) const;
    QString text(const char* german, const char* english) const;
    void message(const QString& text) const;

    QString folder_;
    bool english_;
};
