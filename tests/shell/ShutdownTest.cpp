// The ways to end the program and what each leaves behind: the project, the frame entry,
// the working copy and the frame program started again.
#include "shell/ShellFixture.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {

enum class Way { CloseBox, Schliessen, Beenden };

struct Ending {
    const char* name;
    Way way;
    int answer;  // to the save question
};

inline void PrintTo(const Ending& c, std::ostream* os) { *os << c.name; }

class Shutdown : public ShellFixture, public ::testing::WithParamInterface<Ending> {
protected:
    // A frame program that only leaves a mark when it is started.
    QString installFrameProgram()
    {
        const QString marker = inst.root() + QStringLiteral("/kelmora-started");
        QFile script(inst.root() + QStringLiteral("/KELMORA"));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        return marker;
    }
    static bool appears(const QString& path, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (QFile::exists(path)) return true;
            QThread::msleep(20);
        }
        return QFile::exists(path);
    }
    QString adminProgram()
    {
        db::Connection c;
        c.OpenFile(inst.infoFolder() + QStringLiteral("/ARCHIV.mdb"));
        return column(c, QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]='TESTER'")).value(0);
    }
};

}  // namespace

TEST_P(Shutdown, SavesAsAnsweredAndHandsBackOnlyWhenAsked)
{
    const Ending& e = GetParam();
    const QString marker = installFrameProgram();
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'ungespeichert', 1)"));
    w->session().BOGEAENDERT = true;
    TestEnvironment::ui().answer(e.answer);

    switch (e.way) {
    case Way::CloseBox:
        // What the window system's close request runs (an event from outside the program).
        if (w->MDIForm_QueryUnload(0)) w->MDIForm_Unload();
        break;
    case Way::Schliessen: w->mnuSCHLIESSEN_Click(); break;
    case Way::Beenden: w->mnuBEENDEN_Click(); break;
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Sollen die Änderungen in Projekt P1 gespeichert werden?"));
    EXPECT_EQ(messages()[0].buttons, vb::vbQuestion | vb::vbYesNoCancel);

    const bool closed = e.answer != vb::vbCancel;
    unloaded = closed;
    EXPECT_EQ(QFile::exists(workingCopy()), !closed);
    EXPECT_EQ(adminProgram(), closed ? QStringLiteral("KELMORA") : QStringLiteral("VELOR"));
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")).size(), e.answer == vb::vbYes ? 1 : 0);
    const bool handBack = closed && e.way != Way::Beenden;
    EXPECT_EQ(appears(marker, handBack ? 5000 : 300), handBack);
    if (!closed) {
        EXPECT_TRUE(w->session().BOGEAENDERT);
        EXPECT_TRUE(w->session().cnnX.isOpen());
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, Shutdown,
                         ::testing::Values(Ending{"CloseBoxYes", Way::CloseBox, vb::vbYes}, Ending{"CloseBoxNo", Way::CloseBox, vb::vbNo},
                                           Ending{"CloseBoxCancel", Way::CloseBox, vb::vbCancel},
                                           Ending{"SchliessenYes", Way::Schliessen, vb::vbYes},
                                           Ending{"SchliessenNo", Way::Schliessen, vb::vbNo},
                                           Ending{"SchliessenCancel", Way::Schliessen, vb::vbCancel},
                                           Ending{"BeendenYes", Way::Beenden, vb::vbYes}, Ending{"BeendenNo", Way::Beenden, vb::vbNo},
                                           Ending{"BeendenCancel", Way::Beenden, vb::vbCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Shutdown, WithoutChangesNothingIsAsked)
{
    const QString marker = installFrameProgram();
    start();
    w->mnuBEENDEN_Click();
    unloaded = true;
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_FALSE(appears(marker, 300));
}

TEST_F(Shutdown, AFailedSaveKeepsTheWindowTheWorkingCopyAndTheChangedFlag)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'ungespeichert', 1)"));
    w->session().BOGEAENDERT = true;
    TestEnvironment::ui().answer(vb::vbYes);  // save the changes
    TestEnvironment::ui().answer(vb::vbOK);   // the error box
    {
        // The disk is full: the new project file cannot be written.
        const FileSizeLimit diskFull(4096);
        w->mnuBEENDEN_Click();
    }
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_TRUE(QFile::exists(workingCopy()));
    EXPECT_TRUE(w->session().BOGEAENDERT);
    EXPECT_TRUE(w->session().cnnX.isOpen());
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")).size(), 0);
}
