#pragma once

#include "data/PointCapture.h"
#include "platform/db/DatabaseFile.h"
#include "support/FakeShell.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A capture window as the page sees it: it logs what the page routes to it, stores when the
// test says so, and may refuse to close (the user's Abbrechen).
class FakeCapture : public PointCapture {
public:
    void MAUSKOORD(double x, double y) override { calls << QStringLiteral("MAUSKOORD %1 %2").arg(x, 0, 'f', 1).arg(y, 0, 'f', 1); }
    void KLICK(double x, double y) override { calls << QStringLiteral("KLICK %1 %2").arg(x, 0, 'f', 1).arg(y, 0, 'f', 1); }
    bool closeCapture() override
    {
        calls << QStringLiteral("closeCapture");
        if (refuseClose) return false;
        notifyClosed();
        return true;
    }
    void store(bool calibrated = true) { notifyStored(calibrated); }

    QStringList calls;
    bool refuseClose = false;
};

// Project P1's working copy as cnnX of a fake main window, with record 7 "R7" active.
class PageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        const QString project = inst.addProject(QStringLiteral("P1"));
        SessionContext& s = shell.session_;
        s.setProgramFolder(inst.programFolder());
        s.setProject(inst.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        db::DatabaseFile::copy(project, s.XMDBPFAD());
        s.cnnX.OpenFile(s.XMDBPFAD());
        shell.printFolder = prints.path();
        exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (7, 'R7', NULL, 1)"));
    }
    void TearDown() override { shell.session_.cnnX.Close(); }

    db::Connection& cn() { return shell.session_.cnnX; }
    void exec(const QString& sql) { cn().Execute(sql); }
    QStringList column(const QString& sql) { return TestEnvironment::column(cn(), sql); }
    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }

    TestInstallation inst;
    QTemporaryDir prints;
    FakeShell shell;
};
