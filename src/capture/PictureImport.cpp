#include "capture/PictureImport.h"

#include "platform/os/Os.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

using vb::Os;

namespace {

const QString title = QStringLiteral("VELOR");

bool isPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

}  // namespace

PictureImport::PictureImport(QString folder, bool english) : folder_(std::move(folder)), english_(english) {}

QString PictureImport::text(const char* german, const char* english) const
{
    return QString::fromUtf8(english_ ? english : german);
}

void PictureImport::message(const QString& text) const { vb::MsgBox(text, vb::vbExclamation | vb::vbOKOnly, title); }

QString PictureImport::fileFilter()
{
    QStringList patterns{QStringLiteral("*.pdf")};
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Bilder und PDF (%1);;* (*)").arg(patterns.join(QLatin1Char(' ')));
}

int PictureImport::pdfDpi()
{
    const int dpi = Os::getSetting(QStringLiteral("VELOR"), QStringLiteral("Extras"), QStringLiteral("PdfDpi")).toInt();
    // A page of A4 at 1200 dpi is 140 million pixels: more is no scan any more.
    return dpi >= 50 && dpi <= 1200 ? dpi : 300;
}

QString PictureImport::secondName(const QString& folder, const QString& name)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(info.completeBaseName()).arg(n).arg(suffix);
        if (!QFileInfo::exists(Os::join(folder, candidate))) return candidate;
    }
}

QString PictureImport::target(const QString& proposed) const
{
    if (!QFileInfo::exists(Os::join(folder_, proposed))) return proposed;
    const QString other = secondName(folder_, proposed);
    const int answer = vb::MsgBox(
        english_ ? QStringLiteral("The picture folder already holds \"%1\". Replace it? (No: keep both, the new one as \"%2\")")
                       .arg(proposed, other)
                 : QStringLiteral("Im Grafikordner gibt es schon \u201E%1\u201C. Ersetzen? (Nein: beide behalten, "
                                  "die neue als \u201E%2\u201C)")
                       .arg(proposed, other),
        vb::vbYesNoCancel | vb::vbQuestion, title);
    if (answer == vb::vbYes) return proposed;
    if (answer == vb::vbNo) return other;
    return QString();
}

QString PictureImport::bringIn(const QString& path) const
{
    const QFileInfo source(path);
    if (!source.isFile()) {
        message(text("Die Datei \u201E%1\u201C gibt es nicht.", "There is no file \"%1\".").arg(path));
        return QString();
    }
    QDir().mkpath(folder_);
    if (isPdf(path)) return fromPdf(path);
    if (QImageReader(path).canRead() == false) {
        message(text("\u201E%1\u201C ist weder ein Bild noch ein PDF, das VELOR lesen kann.",
                     "\"%1\" is neither a picture nor a PDF that VELOR can read.")
                    .arg(source.fileName()));
        return QString();
    }
    // A file of the folder itself is simply chosen.
    if (source.absoluteDir() == QDir(folder_)) return source.fileName();
    const QString name = target(source.fileName());
    if (name.isEmpty()) return QString();
    const QString destination = Os::join(folder_, name);
    QFile::remove(destination);
    if (!QFile::copy(path, destination)) {
        message(text("\u201E%1\u201C kann nicht in den Grafikordner kopiert werden.",
                     "\"%1\" cannot be copied into the picture folder.")
                    .arg(source.fileName()));
        return QString();
    }
    return name;
}

QString PictureImport::fromPdf(const QString& path) const
{
    QPdfDocument document;
    const QString file = QFileInfo(path).fileName();
    if (document.load(path) != QPdfDocument::Error::None || document.pageCount() < 1) {
        message(text("Das PDF \u201E%1\u201C kann nicht gelesen werden.", "The PDF \"%1\" cannot be read.").arg(file));
        return QString();
    }
    const int pages = document.pageCount();
    int page = 1;
    if (pages > 1) {
        const QString answer = vb::Ui::instance().InputBox(
            text("Das PDF \u201E%1\u201C hat %2 Seiten. Welche Seite soll geladen werden?",
                 "The PDF \"%1\" has %2 pages. Which page shall be loaded?")
                .arg(file)
                .arg(pages),
            title, QStringLiteral("1"));
        if (answer.isEmpty()) return QString();
        const auto number = vb::parseNumber(answer);
        page = number ? static_cast<int>(*number) : 0;
        if (!number || page != *number || page < 1 || page > pages) {
            message(text("Das PDF hat keine Seite %1: nur 1 bis %2.", "The PDF has no page %1: only 1 to %2.")
                        .arg(answer.trimmed())
                        .arg(pages));
            return QString();
        }
    }
    document.close();
    const QImage image = renderPdfPage(path, page - 1, pdfDpi());
    if (image.isNull()) {
        message(text("Seite %1 des PDF \u201E%2\u201C kann nicht gezeigt werden.", "Page %1 of the PDF \"%2\" cannot be rendered.")
                    .arg(page)
                    .arg(file));
        return QString();
    }
    const QString base = QFileInfo(path).completeBaseName();
    return store(image, base + (english_ ? QStringLiteral(" page %1.png") : QStringLiteral(" Seite %1.png")).arg(page));
}

QImage PictureImport::renderPdfPage(const QString& pdf, int page, int dpi)
{
    QPdfDocument document;
    if (document.load(pdf) != QPdfDocument::Error::None || page < 0 || page >= document.pageCount()) return QImage();
    const QSizeF points = document.pagePointSize(page);
    const QSize pixels(qRound(points.width() / 72.0 * dpi), qRound(points.height() / 72.0 * dpi));
    if (pixels.isEmpty()) return QImage();
    const QImage rendered = document.render(page, pixels);
    if (rendered.isNull()) return QImage();
    // The page is rendered onto transparency; a scan has white paper.
    QImage paper(pixels, QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, rendered);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    paper.setDotsPerMeterX(dotsPerMeter);
    paper.setDotsPerMeterY(dotsPerMeter);
    return paper;
}

QString PictureImport::paste(const QImage& image) const
{
    if (image.isNull()) return QString();
    QDir().mkpath(folder_);
    return store(image, text("Zwischenablage.png", "Clipboard.png"));
}

QString PictureImport::store(const QImage& image, const QString& proposed) const
{
    const QString name = target(proposed);
    if (name.isEmpty()) return QString();
    if (!image.save(Os::join(folder_, name), "PNG")) {
        message(text("\u201E%1\u201C kann nicht im Grafikordner gespeichert werden.", "\"%1\" cannot be saved in the picture folder.")
                    .arg(name));
        return QString();
    }
    return name;
}
