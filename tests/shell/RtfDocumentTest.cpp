#include "shell/RtfDocument.h"
#include "shell/RtfReader.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(RtfDocumentTest, HoldsEachPictureAsPngAfterItsName)
{
    QImage red(40, 20, QImage::Format_RGB32), blue(10, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    RtfDocument doc;
    doc.paragraph(QStringLiteral("picBILD11"));
    doc.picture(red);
    doc.paragraph(QStringLiteral("picBILD12 {Maß} \\"));
    doc.picture(blue);
    const QString rtf = QString::fromLatin1(doc.text());

    EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf1")));
    EXPECT_TRUE(rtf.trimmed().endsWith(QLatin1Char('}')));
    EXPECT_LT(rtf.indexOf(QStringLiteral("picBILD11\\par")), rtf.indexOf(QStringLiteral("\\pict")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("picBILD12 \\{Ma\\u223?\\} \\\\\\par")));

    // Decode the embedded pictures again: same sizes and colours, in order.
    const QRegularExpression pict(QStringLiteral("\\{\\\\pict\\\\pngblip\\\\picw(\\d+)\\\\pich(\\d+)[^\\n]*\\n([0-9a-f\\n]+)\\}"));
    std::vector<QImage> pictures;
    for (auto it = pict.globalMatch(rtf); it.hasNext();) {
        const auto m = it.next();
        QString hex = m.captured(3);
        hex.remove(QLatin1Char('\n'));
        QImage image;
        ASSERT_TRUE(image.loadFromData(QByteArray::fromHex(hex.toLatin1()), "PNG"));
        EXPECT_EQ(image.width(), m.captured(1).toInt());
        EXPECT_EQ(image.height(), m.captured(2).toInt());
        pictures.push_back(image);
    }
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].size(), red.size());
    EXPECT_EQ(pictures[0].pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(pictures[1].size(), blue.size());
    EXPECT_EQ(pictures[1].pixelColor(5, 5), QColor(Qt::blue));
}

// What the program writes and ships, its own document window reads back: texts with their
// special characters, the pictures in order, and the formatting of the shipped documents.
TEST(RtfReaderTest, ReadsBackTheProgramsDocumentsWithTextsAndPictures)
{
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    RtfDocument doc;
    doc.paragraph(QStringLiteral("picBILD11 {Maß} <σ> \\"));
    doc.picture(red);
    const RtfReader::Content read = RtfReader::read(doc.text());
    EXPECT_TRUE(read.html.contains(QStringLiteral("picBILD11 {Maß} &lt;σ&gt; \\"))) << read.html.toStdString();
    EXPECT_FALSE(read.html.contains(QStringLiteral("Arial"))) << "the font table is no text";
    ASSERT_EQ(read.pictures.size(), 1);
    EXPECT_EQ(read.pictures[0].size(), red.size());
    EXPECT_EQ(read.pictures[0].pixelColor(3, 3), QColor(Qt::red));
    EXPECT_LT(read.html.indexOf(QStringLiteral("picBILD11")), read.html.indexOf(RtfReader::pictureName(0)));

    QFile notes(QStringLiteral(VELOR_SOURCE_DIR "/resources/VELOR_H.doc"));
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    const QString html = RtfReader::read(notes.readAll()).html;
    EXPECT_TRUE(html.contains(QStringLiteral("<span style=\"font-size:16pt;font-weight:bold;\">VELOR \u2013 Hinweise</span>")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Ecken \u201EXMAX / YMIN\u201C")));
    EXPECT_TRUE(html.contains(QStringLiteral("gr\u00f6\u00dfer als null")));
}
