#include "pages/PagesFixture.h"
#include "data/RecordStore.h"
#include "shell/PointExport.h"

#include <QFile>
#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

class PointExportTest : public PagesFixture {
protected:
    static QStringList lines(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString target() const { return inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/Kurve.csv"); }
};

// Values that a shortened text would not bring back: thirds, tiny and huge magnitudes, negatives.
const std::vector<float> kHardValues{1.0f / 3, -2.0f / 7, 1.17549435e-38f, 3.40282347e+38f, 1e-7f, 123456.789f,
                                     -0.0001234f, 0.1f, 50.0f};

}  // namespace

class PointExportLanguageTest : public PointExportTest, public ::testing::WithParamInterface<int> {};

TEST_P(PointExportLanguageTest, FileReadsBackValueForValue)
{
    const bool german = GetParam() == 3;
    session.setLanguage(static_cast<int16_t>(GetParam()));
    for (std::size_t i = 0; i < kHardValues.size(); ++i)
        addPoint(static_cast<int>(i / 4), static_cast<int>(i % 4), kHardValues[i],
                 -kHardValues[kHardValues.size() - 1 - i], i == 2 ? QStringLiteral("A;B,\"C\"") : QString());
    ui().type(target());
    PointExport(session).run(7, QStringLiteral("Kurve"));

    const QStringList rows = lines(target());
    ASSERT_EQ(rows.size(), static_cast<int>(kHardValues.size()) + 1);
    EXPECT_EQ(rows[0], german ? QStringLiteral("Gruppe;Polygon;Punkt;x;y") : QStringLiteral("Group,Polygon,Point,x,y"));
    const QChar sep = german ? QLatin1Char(';') : QLatin1Char(',');
    // Read as a spreadsheet would: a double, kept as a single.
    const QLocale reader = german ? QLocale(QLocale::German) : QLocale::c();
    for (std::size_t i = 0; i < kHardValues.size(); ++i) {
        QString row = rows[static_cast<int>(i) + 1];
        if (i == 2) {
            const QString quoted = QStringLiteral("\"A;B,\"\"C\"\"\"");
            ASSERT_TRUE(row.startsWith(quoted)) << row.toStdString();
            row = row.mid(quoted.size());
        }
        const QStringList f = row.split(sep);
        ASSERT_EQ(f.size(), 5) << row.toStdString();
        EXPECT_EQ(f[1].toInt(), static_cast<int>(i / 4));
        EXPECT_EQ(f[2].toInt(), static_cast<int>(i % 4));
        bool okX = false, okY = false;
        EXPECT_EQ(static_cast<float>(reader.toDouble(f[3], &okX)), kHardValues[i]) << f[3].toStdString();
        EXPECT_EQ(static_cast<float>(reader.toDouble(f[4], &okY)), -kHardValues[kHardValues.size() - 1 - i]) << f[4].toStdString();
        EXPECT_TRUE(okX && okY) << row.toStdString();
    }
    EXPECT_TRUE(ui().messages.size() == 1 && ui().messages[0].buttons == -1) << "only the file question";
}

INSTANTIATE_TEST_SUITE_P(Languages, PointExportLanguageTest, ::testing::Values(3, 1),
                         [](const auto& info) { return info.param == 3 ? "German" : "English"; });

TEST_F(PointExportTest, RowsComeInPolygonAndPointOrderWithoutHalfRows)
{
    addPoint(1, 0, 5, 6);
    addPoint(0, 3, 3, 4);  // a gap in the numbering stays a gap
    addPoint(0, 0, 1, 2);
    session.cnnX.Execute(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX) VALUES (7, 0, 1, 9)"));
    const QStringList rows = QString::fromUtf8(PointExport::csv(RecordStore(session).points(7), false))
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(rows, (QStringList{QStringLiteral("Group,Polygon,Point,x,y"), QStringLiteral(",0,0,1,2"),
                                 QStringLiteral(",0,3,3,4"), QStringLiteral(",1,0,5,6")}));
}

TEST_F(PointExportTest, NonNumbersAreReportedNotWrittenAndPointNumbersKeepTheir32Bits)
{
    addPoint(0, 40000, 1, 2);  // numbers past 32,767 do not wrap
    addPoint(70000, 1, 3, 4);
    EXPECT_EQ(QString::fromUtf8(PointExport::csv(RecordStore(session).points(7), true)).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("Gruppe;Polygon;Punkt;x;y"), QStringLiteral(";0;40000;1;2"), QStringLiteral(";70000;1;3;4")}));

    // An imported record with a text and an infinity where numbers belong.
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (7, 2, 5, 'abc', 1), (7, 3, 6, 1, 9e999)"));
    ui().type(target());
    PointExport(session).run(7, QStringLiteral("Kurve"));
    EXPECT_FALSE(QFile::exists(target()));
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text, QStringLiteral("Die Punkte von Datensatz Kurve wurden nicht exportiert: diese Punkte haben "
                                                    "Koordinaten, die keine Zahlen sind:\r\nPolygon 2, Punkt 5\r\nPolygon 3, Punkt 6"));
    EXPECT_EQ(ui().messages[0].buttons, vb::vbExclamation);
}

TEST_F(PointExportTest, ExistingFileIsReplacedOnlyAfterYes)
{
    addPoint(0, 0, 1, 2);
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    ui().type(target());
    ui().answer(vb::vbNo);
    PointExport(session).run(7, QStringLiteral("Kurve"));
    EXPECT_EQ(lines(target()), QStringList{QStringLiteral("old")});
    ASSERT_EQ(ui().messages.size(), 2);
    EXPECT_EQ(ui().messages[1].text,
              QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?").arg(target()));

    ui().type(target());
    ui().answer(vb::vbYes);
    PointExport(session).run(7, QStringLiteral("Kurve"));
    EXPECT_EQ(lines(target()).size(), 2);
}

TEST_F(PointExportTest, CancelWritesNothingAndAFailedWriteSaysSo)
{
    PointExport(session).run(7, QStringLiteral("Kurve"));  // the dialog was cancelled
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_EQ(ui().messages[0].text, target()) << "the record's name in the project folder is proposed";

    ui().clear();
    const QString folderAsFile = inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/GRAFIK");
    QDir().mkpath(folderAsFile);
    ui().type(folderAsFile);  // a folder cannot be written as a file
    ui().answer(vb::vbYes);
    PointExport(session).run(7, QStringLiteral("Kurve"));
    ASSERT_EQ(ui().messages.size(), 3);
    EXPECT_TRUE(ui().messages[2].text.startsWith(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(folderAsFile)));
    EXPECT_EQ(ui().messages[2].buttons, vb::vbExclamation);
    EXPECT_TRUE(QFileInfo(folderAsFile).isDir());
}

// Text a spreadsheet would take for a formula arrives as text; numbers stay numbers.
TEST_F(PointExportTest, GroupNamesASpreadsheetWouldEvaluateArriveAsText)
{
    const struct {
        QString group;
        QString written;
    } cases[] = {
        {QStringLiteral("=cmd|' /C calc'!A0"), QStringLiteral("'=cmd|' /C calc'!A0")},
        {QStringLiteral("@SUM(A1:A9)"), QStringLiteral("'@SUM(A1:A9)")},
        {QStringLiteral("+49 1"), QStringLiteral("'+49 1")},
        {QStringLiteral("-Linie"), QStringLiteral("'-Linie")},
        {QStringLiteral("\tA"), QStringLiteral("'\tA")},
        {QStringLiteral("\rA"), QStringLiteral("\"'\rA\"")},
        {QStringLiteral("=1;2"), QStringLiteral("\"'=1;2\"")},
        {QStringLiteral("Linie = 2"), QStringLiteral("Linie = 2")},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(PointExport::csv({PolygonPoint{c.group, 1, 2, -3.5, 4}}, true));
        EXPECT_EQ(text.section(QLatin1Char('\n'), 1), c.written + QStringLiteral(";1;2;-3,5;4\n")) << c.group.toStdString();
    }
}

// A link at the chosen place would have the file written wherever it points.
TEST_F(PointExportTest, ALinkAtTheChosenPlaceIsRefusedAndNotFollowed)
{
    addPoint(0, 0, 1, 2);
    const QString existing = inst.root() + QStringLiteral("/fremd.txt");
    QFile other(existing);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("fremd");
    other.close();
    for (const QString& pointsTo : {existing, inst.root() + QStringLiteral("/neu.txt")}) {
        ui().clear();
        ASSERT_TRUE(QFile::link(pointsTo, target()));
        ui().type(target());
        ui().answer(vb::vbYes);
        PointExport(session).run(7, QStringLiteral("Kurve"));
        ASSERT_EQ(ui().messages.size(), 2) << pointsTo.toStdString();
        EXPECT_EQ(ui().messages[1].text,
                  QStringLiteral("Die Datei %1 ist eine symbolische Verknüpfung und wird nicht überschrieben.").arg(target()));
        EXPECT_TRUE(QFileInfo(target()).isSymLink());
        QFile::remove(target());
    }
    EXPECT_EQ(lines(existing), QStringList{QStringLiteral("fremd")});
    EXPECT_FALSE(QFile::exists(inst.root() + QStringLiteral("/neu.txt")));
}
