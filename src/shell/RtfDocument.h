#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A document for the word processor: paragraphs of text and pictures, written as RTF with
// each picture embedded as PNG, which every current word processor reads.
class RtfDocument {
public:
    void paragraph(const QString& text);
    void picture(const QImage& image);

    QByteArray text() const;
    // Writes the document; false when the file could not be written.
    bool save(const QString& path) const;

private:
    static QByteArray escaped(const QString& text);

    QByteArray body_;
};
