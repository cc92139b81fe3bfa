#include "data/SessionContext.h"
#include "platform/vb/VbError.h"
#include "shell/ScreenCopy.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class ScreenCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        inst.addProject(QStringLiteral("P1"));
        session.setProject(inst.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        window.setText(QStringLiteral("Seite"));
        window.setStyleSheet(QStringLiteral("background: rgb(0, 128, 0)"));
        window.resize(120, 80);
    }
    QString jpg() const { return inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/JPG/"); }
    vb::ScriptedUi& ui() { return TestEnvironment::ui(); }

    TestInstallation inst;
    SessionContext session;
    QLabel window;
};

}  // namespace

TEST_F(ScreenCopyTest, ProposesTheRecordNameAndWritesTheBitmapIntoANewJpgFolder)
{
    ASSERT_FALSE(QDir(jpg()).exists());
    ui().type(QStringLiteral("A-1"));
    const QString path = ScreenCopy(session).run(&window, QStringLiteral("A"));
    EXPECT_EQ(path, jpg() + QStringLiteral("A-1.bmp"));
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text,
              QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + jpg() + QStringLiteral("A-1.bmp"));
    EXPECT_EQ(ui().messages[0].title, QStringLiteral("KOPIE"));
    QImage written(path, "BMP");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), window.grab().size());
    EXPECT_EQ(written.pixelColor(2, 2), QColor(0, 128, 0));
}

TEST_F(ScreenCopyTest, NamesLeavingTheFolderAreRefusedAndCancelWritesNothing)
{
    for (const QString& name : {QStringLiteral("../A"), QStringLiteral("x/y"), QStringLiteral("x\\y"), QStringLiteral("..")}) {
        ui().clear();
        ui().type(name);
        EXPECT_TRUE(ScreenCopy(session).run(&window, QStringLiteral("A")).isEmpty()) << name.toStdString();
        ASSERT_EQ(ui().messages.size(), 2);
        EXPECT_TRUE(ui().messages[1].text.startsWith(QStringLiteral("Der Dateiname \"%1\" ist nicht zulässig").arg(name)));
    }
    ui().clear();
    // A record name with separators proposes a name the copy accepts.
    EXPECT_TRUE(ScreenCopy(session).run(&window, QStringLiteral("Probe 1/2\\..")).isEmpty());  // cancelled
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_TRUE(ui().messages[0].text.endsWith(QStringLiteral("/Probe 1-2-.-1.bmp"))) << ui().messages[0].text.toStdString();
    EXPECT_TRUE(QDir(jpg()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(inst.projectFolder(QStringLiteral("P1")) + QStringLiteral("/A.bmp")));
}

TEST_F(ScreenCopyTest, ExistingCopyIsReplacedOnlyAfterYes)
{
    QDir().mkpath(jpg());
    QFile old(jpg() + QStringLiteral("A-1.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ui().type(QStringLiteral("A-1"));
    ui().answer(vb::vbNo);
    EXPECT_TRUE(ScreenCopy(session).run(&window, QStringLiteral("A")).isEmpty());
    EXPECT_EQ(QFileInfo(old.fileName()).size(), 3);
    EXPECT_EQ(ui().messages[1].buttons & vb::vbYesNo, vb::vbYesNo);

    ui().type(QStringLiteral("A-1"));
    ui().answer(vb::vbYes);
    EXPECT_FALSE(ScreenCopy(session).run(&window, QStringLiteral("A")).isEmpty());
    EXPECT_FALSE(QImage(old.fileName(), "BMP").isNull());
}

TEST_F(ScreenCopyTest, FailedSaveRaisesError75)
{
    QDir().mkpath(jpg() + QStringLiteral("A-1.bmp"));  // a folder where the file should go
    ui().type(QStringLiteral("A-1"));
    ui().answer(vb::vbYes);
    try {
        ScreenCopy(session).run(&window, QStringLiteral("A"));
        FAIL() << "no error";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), 75);
    }
}

TEST_F(ScreenCopyTest, ADanglingLinkInTheJpgFolderIsRefusedAndCreatesNothingOutside)
{
    QDir().mkpath(jpg());
    const QString outside = inst.root() + QStringLiteral("/aussen.bmp");
    ASSERT_TRUE(QFile::link(outside, jpg() + QStringLiteral("A-1.bmp")));
    ui().type(QStringLiteral("A-1"));
    ui().answer(vb::vbYes);
    EXPECT_TRUE(ScreenCopy(session).run(&window, QStringLiteral("A")).isEmpty());
    ASSERT_EQ(ui().messages.size(), 2);
    EXPECT_EQ(ui().messages[1].text, QStringLiteral("Die Datei %1A-1.bmp ist eine symbolische Verknüpfung und wird nicht "
                                                    "überschrieben.").arg(jpg()));
    EXPECT_FALSE(QFile::exists(outside));
}
