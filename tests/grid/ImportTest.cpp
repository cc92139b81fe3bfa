// Instrument file import in its three layouts with their damaged variants, and the row filter.
#include "ImportFixture.h"

#include "platform/vb/VbLocale.h"

namespace {

class Import : public ImportFixture {
protected:
    void SetUp() override
    {
        ImportFixture::SetUp();
        // One cycle per line: a header to skip up to the marker, then date, time, three values.
        configure(1, "ZEILE", 5, "JJJJ-MM-TT", "hhmmss", "", "DATEN", ";", "");
        value(1, 1, "DAT", 0);
        value(1, 2, "ZEIT", 1);
        value(1, 3, "P", 2, "P=");
        value(1, 4, "T", 3, "", "C");
        value(1, 5, "K", 4, "", "", 0.001f);
        value(1, 6, "UNBEKANNT", 0);  // names no grid column: ignored
        // Cycles within a line, blank-separated values, one cycle separator skipped.
        configure(2, "STROM", 3, "", "", "1", "", "<BLANK>", "|");
        value(2, 0, "P", 0);
        value(2, 1, "T", 1);
        value(2, 2, "K", 2);
        // One value per line: "3", the cycle number, then two values.
        configure(3, "EINZELN", 4, "", "", "", "START", "", "");
        value(3, 1, "P", 2);
        value(3, 2, "T", 3);
        value(3, 3, "K", std::nullopt);  // not read from the file
    }

    bool import(const char* config, const QByteArray& content)
    {
        return flxImport.IMPORTIEREN(QString::fromLatin1(config), file(content));
    }
    void emptyGrid()
    {
        grid->setRows(2);
        for (int col = 0; col < grid->Cols(); ++col) put(1, col, "");
    }
    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 0; c < grid->Cols(); ++c) out << at(r, c);
        return out;
    }
    QString onlyMessage() const
    {
        EXPECT_EQ(messages().size(), 1) << messageTexts().join(" | ").toStdString();
        return messages().isEmpty() ? QString() : messages().last().text;
    }
};

const QByteArray kLines = "Kopfzeile\nDATEN 2003\n2003-05-17;103005;P=-.5;21,5C;1234\r\n2003-05-18;110000;P=,25;22C;2000\n\n";

}  // namespace

TEST_F(Import, OneCyclePerLineFillsTheEmptyRowThenAppends)
{
    ASSERT_TRUE(import("ZEILE", kLines));
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join(" | ").toStdString();
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(row(1), (QStringList{"1", "17.05.03", "10:30:05", "-0,5", "21,5", "1,234"}));
    EXPECT_EQ(row(2), (QStringList{"2", "18.05.03", "11:00:00", "0,25", "22", "2"}));
    EXPECT_EQ(TestEnvironment::ui().pointer_, vb::Pointer::Default);

    // A grid with data gets the next file's cycles appended; converted rows stay as they are.
    ASSERT_TRUE(import("ZEILE", "DATEN\n2003-06-01;000001;P=1;5C;1\n"));
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(row(1).at(5), "1,234");
    EXPECT_EQ(row(3), (QStringList{"3", "01.06.03", "00:00:01", "1", "5", "0,001"}));
}

TEST_F(Import, TheSessionsDecimalMarkIsWrittenInAnEnglishSession)
{
    vb::VbLocale::setDecimalSeparator(QLatin1Char('.'));
    const bool ok = import("ZEILE", kLines);
    vb::VbLocale::setDecimalSeparator(QLatin1Char(','));
    ASSERT_TRUE(ok);
    EXPECT_EQ(row(1).mid(3), (QStringList{"-0.5", "21.5", "1.234"}));
    EXPECT_EQ(row(2).mid(3), (QStringList{"0.25", "22", "2"}));
}

TEST_F(Import, DamagedLineIsSkippedOnOkAndEndsTheImportOnCancel)
{
    const QByteArray damaged = "DATEN\n2003-05-17;103005;P=1;2C;3\n2003-05-18;110000\n2003-05-19;120000;P=4;5C;6\n";
    ASSERT_TRUE(import("ZEILE", damaged));
    EXPECT_EQ(onlyMessage(), "ZyklusNr. 2 ist beschädigt!");
    EXPECT_EQ(messages().last().title, "MSFlexGrid / Importieren");
    EXPECT_EQ(messages().last().buttons, vb::vbOKCancel | vb::vbExclamation);
    EXPECT_EQ(grid->Rows(), 3);
    EXPECT_EQ(row(2), (QStringList{"2", "19.05.03", "12:00:00", "4", "5", "0,006"}));

    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(import("ZEILE", damaged));
    EXPECT_EQ(grid->Rows(), 4);
    // Read but not converted; numbered all the same.
    EXPECT_EQ(row(3), (QStringList{"3", "2003-05-17", "103005", "P=1", "2C", "3"}));
    EXPECT_EQ(TestEnvironment::ui().pointer_, vb::Pointer::Default);
}

TEST_F(Import, CyclesWithinALineSkipCountedSeparators)
{
    ASSERT_TRUE(import("STROM", "Kopf|1 2 3|4 5 6\n7 8 9|\n"));
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join(" | ").toStdString();
    EXPECT_EQ(column(3), (QStringList{"1", "4", "7"}));
    EXPECT_EQ(column(5), (QStringList{"3", "6", "9"}));

    TestEnvironment::ui().clear();
    ASSERT_TRUE(import("STROM", "Kopf|1 2|4 5 6\n"));
    EXPECT_EQ(onlyMessage(), "ZyklusNr. 1 ist beschädigt!");
    EXPECT_EQ(column(3).last(), "4");
}

TEST_F(Import, OneValuePerLineFollowsTheCycleNumbers)
{
    ASSERT_TRUE(import("EINZELN", "Kopf\n  START \n3\n0\n1,5\n2\n3\n1\n2,5\n3\n"));
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join(" | ").toStdString();
    EXPECT_EQ(column(3), (QStringList{"1,5", "2,5"}));
    EXPECT_EQ(column(4), (QStringList{"2", "3"}));
    EXPECT_EQ(column(5), (QStringList{"", ""}));
}

TEST_F(Import, OneValuePerLineReportsEachKindOfDamage)
{
    struct Case {
        QByteArray content;
        QStringList messages;
        QStringList values;  // column P afterwards (OK answered everywhere)
    };
    const Case cases[] = {
        {"START\n9\n0\n1\n1\n3\n1\n2\n2\n", {"Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!"}, {"2"}},
        {"START\n3\n0\n1\n1\n3\n2\n3\n3\n", {"Es fehlen ein oder mehrere Zyklen nach ZyklusNr. 0 !"}, {"1", "3"}},
        {"START\n3\n0\n1\n1\nx\ny\n3\n1\n2\n2\n", {"ZyklusNr. 0 der Elektronikdatei ist beschädigt!"}, {"1", "2"}},
        {"START\n3\n0\n1\n1\n3\nzwei\n2\n2\n3\n1\n5\n5\n", {"ZyklusNr. 0 der Elektronikdatei ist beschädigt!"}, {"1", "5"}},
        {"START\n3\n0\n1\n1\n3\n1\n", {"ZyklusNr. 1 ist beschädigt!"}, {"1"}},
    };
    for (const Case& c : cases) {
        emptyGrid();
        TestEnvironment::ui().clear();
        EXPECT_TRUE(import("EINZELN", c.content)) << c.content.constData();
        EXPECT_EQ(messageTexts(), c.messages) << c.content.constData();
        EXPECT_EQ(column(3), c.values) << c.content.constData();
    }
    // Cancel on a missing cycle ends the import.
    emptyGrid();
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(import("EINZELN", "START\n3\n0\n1\n1\n3\n2\n3\n3\n"));
    EXPECT_EQ(column(3), QStringList{"1"});
}

TEST_F(Import, ConfigurationAndFileProblemsGiveOneClearMessage)
{
    EXPECT_FALSE(import("GIBTESNICHT", kLines));
    EXPECT_EQ(onlyMessage(), "Die Konfiguration \"GIBTESNICHT\" ist in den Elektronikvorgaben nicht vorhanden!");
    EXPECT_EQ(messages().last().title, "MSFlexGrid / Importieren");

    TestEnvironment::ui().clear();
    EXPECT_FALSE(flxImport.IMPORTIEREN("ZEILE", files.filePath("fehlt.txt")));
    EXPECT_TRUE(onlyMessage().startsWith("VB-Error: 53\r\n"));

    // Invalid date and time layouts are reported once; the values stay as read.
    configure(4, "KAPUTT", 2, "TT.MM", "hh:mm", "", "", ";", "");
    value(4, 1, "DAT", 0);
    value(4, 2, "ZEIT", 1);
    TestEnvironment::ui().clear();
    EXPECT_TRUE(import("KAPUTT", "17.05;10:30\n"));
    EXPECT_EQ(messageTexts(),
              (QStringList{"Es wurde für diese Konfiguration ein ungültiges Datumsformat im Menü Elektronikvorgaben eingegeben!",
                           "Es wurde für diese Konfiguration ein ungültiges Zeitformat im Menü Elektronikvorgaben eingegeben!"}));
    EXPECT_EQ(row(1).mid(1, 2), (QStringList{"17.05", "10:30"}));

    // A disabled (empty) grid takes nothing.
    flxImport.ZEILEENTFERNEN();
    TestEnvironment::ui().clear();
    EXPECT_FALSE(import("ZEILE", kLines));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Import, RowFilterKeepsEveryStepthRowOfTheRange)
{
    setRows(100);
    for (int r = 1; r <= 100; ++r) put(r, 3, QString::number(r));
    auto& ui = TestEnvironment::ui();
    ui.type("abc");  // not a number: asked again
    ui.type("1");
    ui.type("100");
    ui.type("200");  // step 99 / 200 rounds to 0: asked again
    ui.type("50");
    flxImport.ZEILENFILTER();
    ASSERT_EQ(messages().size(), 7);
    EXPECT_EQ(messages()[0].text, "Erste Zeile: ");
    EXPECT_EQ(messages()[0].title, "Zeilenfilter");
    EXPECT_EQ(messages()[1].text, "Ungültige Angabe für die Nummer der ersten Zeile!");
    EXPECT_EQ(messages()[1].title, "MSFlexGrid / Zeilenfilter");
    EXPECT_EQ(messages()[3].text, "Letzte Zeile: ");
    EXPECT_EQ(messages()[4].text, "Reduzierte Zeilenanzahl: ");
    EXPECT_EQ(messages()[5].text, "Ungültige Angabe für die reduzierte Zeilenanzahl!");
    EXPECT_EQ(grid->Rows(), 51);
    EXPECT_EQ(at(1, 3), "2");
    EXPECT_EQ(at(50, 3), "100");
    EXPECT_EQ(at(50, 0), "50");  // renumbered

    // Cancel on an invalid answer leaves the grid as it was.
    ui.clear();
    ui.type("7");
    ui.type("x");
    ui.answer(vb::vbCancel);
    flxImport.ZEILENFILTER();
    EXPECT_EQ(messages().last().text, "Ungültige Angabe für die Nummer der letzten Zeile!");
    EXPECT_EQ(grid->Rows(), 51);
}

TEST_F(Import, TheShippedSampleConfigurationReadsItsLogger)
{
    ASSERT_TRUE(import("Beispiel Datenlogger", kLines));
    EXPECT_EQ(row(1), (QStringList{"1", "17.05.03", "10:30:05", "-0,5", "21,5", "1,234"}));
}

TEST_F(Import, PrefixAndSuffixAreCutOnlyWhereTheyStand)
{
    // Cycle 2 lacks its prefix, cycle 3 its suffix: damaged, not cut by length.
    ASSERT_TRUE(import("ZEILE", "DATEN\n2003-05-17;103005;P=12,5;21,5C;1\n2003-05-18;110000;12,5;22C;2\n"
                                "2003-05-19;120000;P=3;23;3\n2003-05-20;130000;P=4;24C;4\n"));
    EXPECT_EQ(messageTexts(), (QStringList{"ZyklusNr. 2 ist beschädigt!", "ZyklusNr. 3 ist beschädigt!"}));
    EXPECT_EQ(column(3), (QStringList{"12,5", "4"}));
    EXPECT_EQ(column(4), (QStringList{"21,5", "24"}));
}

TEST_F(Import, SeparatorsAtTheEndAndRunsOfBlanksSplitAsTheyLook)
{
    configure(5, "SEMIKOLON", 3, "", "", "", "", ";", "");
    configure(6, "SPALTEN", 3, "", "", "", "", "<BLANK>", "");
    configure(7, "TABULATOR", 3, "", "", "", "", "<TAB>", "");
    for (int idk = 5; idk <= 7; ++idk) {
        value(idk, 1, "P", 0);
        value(idk, 2, "T", 1);
        value(idk, 3, "K", 2);
    }
    struct Case {
        const char* config;
        QByteArray content;
        QStringList values;  // columns P, T, K of the first row; empty when the cycle is damaged
    };
    const Case cases[] = {
        {"SEMIKOLON", "1;2;3;\n", {"1", "2", "3"}},
        {"SEMIKOLON", "1;2;3;  \r\n", {"1", "2", "3"}},
        {"SEMIKOLON", "1;;3\n", {"1", "", "3"}},
        {"SEMIKOLON", "1;2;3;4\n", {}},
        {"SEMIKOLON", "1;2\n", {}},
        {"SPALTEN", "   1,5    2,5     3,5   \n", {"1,5", "2,5", "3,5"}},
        {"SPALTEN", "1 2 3 4\n", {}},
        {"TABULATOR", "1\t2\t3\t\n", {"1", "2", "3"}},
        {"TABULATOR", "1\t2\t3\t4\n", {}},
    };
    for (const Case& c : cases) {
        emptyGrid();
        TestEnvironment::ui().clear();
        EXPECT_TRUE(import(c.config, c.content)) << c.content.constData();
        if (c.values.isEmpty()) {
            EXPECT_EQ(messageTexts(), QStringList{"ZyklusNr. 1 ist beschädigt!"}) << c.content.constData();
            EXPECT_EQ(row(1).mid(3), (QStringList{"", "", ""})) << c.content.constData();
        } else {
            EXPECT_TRUE(messages().isEmpty()) << c.content.constData();
            EXPECT_EQ(row(1).mid(3), c.values) << c.content.constData();
        }
    }
}

TEST_F(Import, ByteOrderMarkIsDroppedAndTextReadAsUtf8OrWindows1252)
{
    configure(5, "TEXT", 2, "", "", "", "", ";", "");
    value(5, 1, "P", 0);
    value(5, 2, "K", 1);
    ASSERT_TRUE(import("TEXT", "\xEF\xBB\xBF" "1,5;Prüfung 5 °C\n"));
    EXPECT_EQ(row(1).mid(3), (QStringList{"1,5", "", "Prüfung 5 °C"}));
    // Not UTF-8: the single-byte text of the instrument's Windows PC.
    ASSERT_TRUE(import("TEXT", "2,5;Pr\xFC" "fung \x80 \x93x\x94 \xB0" "C\n"));
    EXPECT_EQ(row(2).mid(3), (QStringList{"2,5", "", "Prüfung € “x” °C"}));
}

TEST_F(Import, AFileWithoutDataOrWithoutItsMarkerSaysSo)
{
    const QString noData = "Die Elektronikdatei enthält keine Daten!";
    const auto noMarker = [](const char* marker) {
        return QStringLiteral("Die Kennung \"%1\" wurde in der Elektronikdatei nicht gefunden!").arg(QLatin1String(marker));
    };
    struct Case {
        const char* config;
        QByteArray content;
        QString text;
    };
    const Case cases[] = {
        {"ZEILE", "", noData},
        {"ZEILE", "Kopf\nDATEN\n\n  \n", noData},
        {"ZEILE", "Kopf\n2003-05-17;103005;P=1;2C;3\n", noMarker("DATEN")},
        {"STROM", "nur Kopf", noData},
        {"EINZELN", "", noData},
        {"EINZELN", "Kopf\n3\n0\n1\n1\n", noMarker("START")},
    };
    for (const Case& c : cases) {
        emptyGrid();
        TestEnvironment::ui().clear();
        EXPECT_FALSE(import(c.config, c.content)) << c.content.constData();
        ASSERT_EQ(messageTexts(), QStringList{c.text}) << c.content.constData();
        EXPECT_EQ(messages()[0].title, "MSFlexGrid / Importieren");
        EXPECT_EQ(messages()[0].buttons, vb::vbOKOnly | vb::vbExclamation);
        EXPECT_EQ(grid->Rows(), 2);
        EXPECT_EQ(TestEnvironment::ui().pointer_, vb::Pointer::Default);
    }

    session.setLanguage(1);
    TestEnvironment::ui().clear();
    EXPECT_FALSE(import("ZEILE", ""));
    EXPECT_FALSE(import("ZEILE", "Kopf\n"));
    EXPECT_EQ(messageTexts(), (QStringList{"The instrument data file contains no data!",
                                           "The marker \"DATEN\" was not found in the instrument data file!"}));
}
