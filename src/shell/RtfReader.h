#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Reads the RTF the program ships and writes (the read-me and notes documents, the
// word-processor document of a page) into HTML for the program's own document window, for a
// desktop without a word processor: paragraphs, bold, font sizes, indents, the Windows-1252
// and \u characters, and PNG pictures. Everything else of RTF is skipped.
class RtfReader {
public:
    struct Content {
        // The pictures appear as <img src="rtfpict:N">, N indexing `pictures`.
        QString html;
        QList<QImage> pictures;
    };

    static Content read(const QByteArray& rtf);
    static QString pictureName(int index) { return QStringLiteral("rtfpict:%1").arg(index); }
};
