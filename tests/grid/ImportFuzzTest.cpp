// Damaged instrument files through the import: whatever the bytes, the import ends (OK or
// Cancel answered at random), the pointer comes back and the grid stays sound. A test run
// spends a few seconds on it; VELOR_FUZZ_SECONDS=N asks for a longer run (the same files
// first, then more of them).
#include "ImportFixture.h"

#include <QElapsedTimer>
#include <random>

namespace {

class ImportFuzz : public ImportFixture {
protected:
    void SetUp() override
    {
        ImportFixture::SetUp();
        configure(1, "ZEILE", 5, "JJJJ-MM-TT", "hhmmss", "", "DATEN", ";", "");
        configure(2, "STROM", 3, "", "", "1", "", "<BLANK>", "|");
        configure(3, "EINZELN", 4, "", "", "", "START", "", "");
        configure(4, "NULL", 0, "", "", "", "", "", "");
        for (int idk = 1; idk <= 4; ++idk) {
            value(idk, 1, "DAT", 0);
            value(idk, 2, "ZEIT", 1);
            value(idk, 3, "P", 2, "P=");
            value(idk, 4, "T", 3, "", "C", 2.5f);
        }
    }

    // Seconds of mutated files: a few in every test run, more on request.
    static double budgetSeconds()
    {
        bool ok = false;
        const double requested = qEnvironmentVariable("VELOR_FUZZ_SECONDS").toDouble(&ok);
        return ok && requested > 0 ? requested : 3.0;
    }

    static QByteArray sample(int layout, std::mt19937& rng)
    {
        QByteArray out = layout == 0 ? "Kopf\nDATEN\n" : layout == 1 ? "Kopf|" : "START\n";
        const int cycles = std::uniform_int_distribution<int>(0, 30)(rng);
        for (int c = 0; c < cycles; ++c) {
            const QByteArray n = QByteArray::number(c);
            if (layout == 0) out += "2003-05-" + n + ";1030" + n + ";P=-." + n + ";" + n + ",5C;" + n + "\n";
            else if (layout == 1) out += n + " ," + n + " 7|" + (c % 5 == 4 ? "\n" : "");
            else out += "3\n" + n + "\n" + n + ",5\n." + n + "\n";
        }
        return out;
    }

    static QByteArray mutate(QByteArray data, std::mt19937& rng)
    {
        std::uniform_int_distribution<int> kind(0, 7);
        const int edits = std::uniform_int_distribution<int>(1, 8)(rng);
        for (int e = 0; e < edits; ++e) {
            const int pos = data.isEmpty() ? 0 : std::uniform_int_distribution<int>(0, static_cast<int>(data.size()) - 1)(rng);
            const char byte = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
            switch (kind(rng)) {
            case 0: if (!data.isEmpty()) data[pos] = byte; break;
            case 1: data.insert(pos, byte); break;
            case 2: data.remove(pos, std::uniform_int_distribution<int>(1, 20)(rng)); break;
            case 3: data.truncate(pos); break;
            case 4: data.insert(pos, "\n"); break;
            case 5: data.insert(pos, data.mid(pos, 40)); break;
            case 6: data.insert(pos, ";;|| \t"); break;
            case 7: {
                QByteArray noise(std::uniform_int_distribution<int>(1, 200)(rng), '\0');
                for (char& c : noise) c = static_cast<char>(rng());
                data.insert(pos, noise);
                break;
            }
            }
        }
        return data;
    }

    void expectSoundGrid(const char* config, const QByteArray& content)
    {
        ASSERT_EQ(grid->Cols(), 6) << config << ": " << content.toHex().constData();
        ASSERT_GE(grid->Rows(), grid->FixedRows() + 1);
        ASSERT_EQ(grid->FixedCols(), 1);
        // Every row, imported or not, carries its index number.
        for (int r = grid->FixedRows(); r < grid->Rows(); ++r)
            ASSERT_EQ(at(r, 0), QString::number(r)) << config << ": " << content.toHex().constData();
        ASSERT_EQ(TestEnvironment::ui().pointer_, vb::Pointer::Default);
    }
};

}  // namespace

TEST_F(ImportFuzz, MutatedFilesNeverBreakTheImportOrTheGrid)
{
    std::mt19937 rng(20240611);
    const char* configs[] = {"ZEILE", "STROM", "EINZELN", "NULL"};
    const qint64 budget = static_cast<qint64>(budgetSeconds() * 1000);
    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    // However slow the machine, the first files (one of each layout and the empty
    // configuration) are always tried.
    for (; runs < 12 || clock.elapsed() < budget; ++runs) {
        const int layout = runs % 3;
        const char* config = configs[runs % 11 == 0 ? 3 : layout];
        const QByteArray content = mutate(sample(layout, rng), rng);
        auto& ui = TestEnvironment::ui();
        ui.clear();
        for (int i = 0; i < 20; ++i) ui.answer(rng() % 4 == 0 ? vb::vbCancel : vb::vbOK);
        if (runs % 50 == 0) grid->setRows(2);  // keep the grid from growing without end
        flxImport.IMPORTIEREN(QString::fromLatin1(config), file(content));
        expectSoundGrid(config, content);
        if (HasFatalFailure()) return;
    }
    RecordProperty("files", runs);
}

TEST_F(ImportFuzz, BinaryAndEnormousLinesEndWithoutHanging)
{
    QByteArray binary(1 << 20, '\0');
    std::mt19937 rng(7);
    for (char& c : binary) c = static_cast<char>(rng());
    for (const char* config : {"ZEILE", "STROM", "EINZELN"}) {
        TestEnvironment::ui().clear();
        TestEnvironment::ui().answer(vb::vbCancel);
        flxImport.IMPORTIEREN(QString::fromLatin1(config), file(binary));
        expectSoundGrid(config, QByteArray("binary"));
    }
    // One line of 8 MB without any separator: one damaged cycle, nothing more.
    TestEnvironment::ui().clear();
    EXPECT_TRUE(flxImport.IMPORTIEREN("ZEILE", file("DATEN\n" + QByteArray(8 << 20, 'x'))));
    EXPECT_EQ(messageTexts(), QStringList{"ZyklusNr. 1 ist beschädigt!"});
}
