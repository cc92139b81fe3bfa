#pragma once

#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"
#include "shell/frmMAIN.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A started main window on project P1 of a throw-away installation.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        project = inst.addProject(QStringLiteral("P1"));
        inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    }
    void TearDown() override
    {
        if (w && !unloaded) w->MDIForm_Unload();
    }

    frmMAIN& start(const QLocale& locale = QLocale(QLocale::German, QLocale::Germany))
    {
        w = std::make_unique<frmMAIN>(locale);
        w->session().setProgramFolder(inst.programFolder());
        EXPECT_TRUE(w->MDIForm_Load());
        TestEnvironment::ui().clear();
        return *w;
    }
    db::Connection& cn() { return w->session().cnnX; }
    QString workingCopy() const { return inst.root() + QStringLiteral("/BENUTZER/TESTER/VELOR.mdb"); }
    void exec(const QString& sql) { cn().Execute(sql); }

    static QStringList column(db::Connection& c, const QString& sql) { return TestEnvironment::column(c, sql); }
    QStringList column(const QString& sql) { return column(cn(), sql); }
    QStringList projectColumn(const QString& sql)
    {
        db::Connection c;
        c.OpenFile(project);
        return column(c, sql);
    }

    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }
    QStringList messageTexts()
    {
        QStringList out;
        for (const auto& m : messages()) out << m.text;
        return out;
    }

    TestInstallation inst;
    QString project;
    std::unique_ptr<frmMAIN> w;
    bool unloaded = false;
};
