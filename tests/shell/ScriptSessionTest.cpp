#include "ShellFixture.h"

#include "shell/ScriptSession.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class ScriptRun : public ShellFixture {
protected:
    int run(const QString& script)
    {
        QFile file(folder.filePath(QStringLiteral("session.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        w = std::make_unique<frmMAIN>(QLocale(QLocale::German, QLocale::Germany));
        w->session().setProgramFolder(inst.programFolder());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = ScriptSession::runFile(file.fileName(), *w);
        out = QString::fromStdString(::testing::internal::GetCapturedStdout());
        err = QString::fromStdString(::testing::internal::GetCapturedStderr());
        unloaded = true;  // the run ends the program itself
        return code;
    }
    void write(const QString& name, const QString& script)
    {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(script.toUtf8());
    }
    QString read(const QString& name)
    {
        QFile f(folder.filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
    }

    QTemporaryDir folder;
    QString out;
    QString err;
};

const QString kNewRecord = QStringLiteral("menu mnuNEU\ntype txtKEN R1\npanel 8\n");

TEST_F(ScriptRun, ASessionCreatesARecordOpensTheInputPageAndEndsWithoutSaving)
{
    ASSERT_EQ(run(kNewRecord + QStringLiteral("menu mnuAUSWERTEN\n"
                                              "dump A1 out/a1.csv\n"
                                              "menu mnuEINGABEGRAFIK\n"
                                              "shot out/page.png\n"
                                              "dump G0 out/g0.csv\n"
                                              "panel 15\n")),
              0)
        << err.toStdString();
    EXPECT_EQ(read(QStringLiteral("out/a1.csv")), QStringLiteral("ID,BONEU\n1,1\n"));
    EXPECT_TRUE(read(QStringLiteral("out/g0.csv")).startsWith(QStringLiteral("ID,IDOBJEKT,OX,OY,RL,RR,RO,RU,")));
    EXPECT_TRUE(read(QStringLiteral("out/g0.csv")).contains(QStringLiteral("\n1,11,1,1,11,10,10,11,")));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("out/page.png"))));
    // The end is Datei -> Beenden; nobody queued an answer to the save question: Nein.
    EXPECT_TRUE(out.contains(QStringLiteral("gespeichert werden? -> Nein"))) << out.toStdString();
    EXPECT_TRUE(projectColumn(QStringLiteral("SELECT KEN FROM E1")).isEmpty());
}

TEST_F(ScriptRun, QueuedAnswersAndExpectationsMeetTheirMessages)
{
    EXPECT_EQ(run(QStringLiteral("menu mnuNEU\nexpect fehlt\nanswer OK\npanel 8\ntype txtKEN R1\npanel 8\nanswer Ja\n")), 0) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[Datenfehler] Datensatzkennzeichnung fehlt! -> OK"))) << out.toStdString();
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("R1")});
}

TEST_F(ScriptRun, APlayedScriptRunsInPlaceOfItsLine)
{
    write(QStringLiteral("new-record.txt"), kNewRecord);
    ASSERT_EQ(run(QStringLiteral("play new-record.txt\nmenu mnuAUSWERTEN\ndump A1 a1.csv\n")), 0) << err.toStdString();
    EXPECT_EQ(read(QStringLiteral("a1.csv")), QStringLiteral("ID,BONEU\n1,1\n"));
}

TEST_F(ScriptRun, AFailureInAPlayedScriptNamesThatScript)
{
    write(QStringLiteral("slip.txt"), QStringLiteral("menu mnuNEU\ntype txtNAME R1\n"));
    EXPECT_EQ(run(QStringLiteral("play slip.txt\n")), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("line 2 of slip.txt (type): no widget"))) << err.toStdString();

    write(QStringLiteral("wrong.txt"), QStringLiteral("panel acht\n"));
    EXPECT_EQ(run(QStringLiteral("menu mnuNEU\nplay wrong.txt\n")), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("wrong.txt line 1: argument 1 of panel"))) << err.toStdString();

    // session.txt is the script run() writes.
    EXPECT_EQ(run(QStringLiteral("play session.txt\n")), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("session.txt plays itself"))) << err.toStdString();
}

// A position far off the picture is a wrong line, not a mouse event the picture cannot count.
TEST_F(ScriptRun, APositionFarOffThePictureIsAWrongLine)
{
    EXPECT_EQ(run(kNewRecord + QStringLiteral("menu mnuAUSWERTEN\nmenu mnuEINGABEGRAFIK\nclickpx mdiESEITE1.picBILD11 1e10 5\n")), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("line 6 (clickpx): the position 1e10 5 lies far outside the picture"))) << err.toStdString();
}

TEST_F(ScriptRun, AFileNameTypedForASaveDialogIsTakenFromTheScriptsFolder)
{
    // Played twice: the file of the first run is deleted, so no replace question comes.
    const QString script = kNewRecord + QStringLiteral("menu mnuNEUBERECHNEN\ndelete points.csv\ninput points.csv\n"
                                                       "menu mnuPUNKTEXPORT\n");
    for (int pass = 0; pass < 2; ++pass) ASSERT_EQ(run(script), 0) << pass << err.toStdString();
    EXPECT_EQ(read(QStringLiteral("points.csv")), QStringLiteral("Gruppe;Polygon;Punkt;x;y\n"));

    EXPECT_EQ(run(QStringLiteral("delete .\n")), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("is a folder"))) << err.toStdString();
}

struct Failing {
    const char* name;
    const char* script;
    const char* error;
};

class ScriptFails : public ScriptRun, public ::testing::WithParamInterface<Failing> {};

TEST_P(ScriptFails, EndsWithExitCode1AndSaysWhichLine)
{
    EXPECT_EQ(run(QString::fromUtf8(GetParam().script)), 1);
    EXPECT_TRUE(err.contains(QString::fromUtf8(GetParam().error))) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptFails,
    ::testing::Values(
        Failing{"UnknownWidget", "menu mnuNEU\ntype txtNAME R1", "line 2 (type): no widget \"txtNAME\" in mdiEINGABE"},
        Failing{"DisabledEntry", "menu mnuBERECHNEN", "line 1 (menu): the entry \"mnuBERECHNEN\" is disabled"},
        Failing{"HiddenPanel", "panel 15", "line 1 (panel): panel 15 is not offered"},
        Failing{"UnansweredMessage", "menu mnuNEU\npanel 8\nmenu mnuAUSWERTEN",
                "line 2 (panel): no answer queued for the message \"Datensatzkennzeichnung fehlt!\""},
        Failing{"UnfitAnswer", "menu mnuNEU\nanswer Ja\npanel 8", "line 3 (panel): the answer \"Ja\" is not a button"},
        Failing{"OtherMessageThanExpected", "menu mnuNEU\nexpect gespeichert\nanswer OK\npanel 8",
                "line 4 (panel): expected a message with \"gespeichert\""},
        Failing{"ExpectedMessageNeverCame", "expect Fehler\nmenu mnuAUSWERTEN", "at the end: an expected message did not come"},
        Failing{"WrongLine", "menu mnuNEU\npanel acht", "line 2: argument 1 of panel is not a whole number"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
