#pragma once

#include "GridFixture.h"
#include "data/SessionContext.h"

#include <QFile>
#include <QTemporaryDir>

// A grid for instrument imports: the session's project database and the presets database
// of a throw-away installation, and helpers to describe configurations and write files.
class ImportFixture : public GridFixture {
protected:
    ImportFixture() : flxImport(&session) {}

    void SetUp() override
    {
        GridFixture::SetUp();
        session.setProject(installation.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        session.cnnX.OpenFile(installation.addProject(QStringLiteral("P1")));
        session.cnnX_V.OpenFile(installation.infoFolder() + QStringLiteral("/VORGABE.mdb"));
        flxImport.EFLX(grid);
        // Index, date, time, two values and a comment column, matched by their ELSELEK names.
        flxImport.ELSB({10, 20, 20, 20, 20, 20});
        flxImport.ELSTYP({1, 4, 5, 0, 0, 0});
        flxImport.ELINDEXMIN({1});
        flxImport.ELSELEK({vb::Value("NR"), vb::Value("DAT"), vb::Value("ZEIT"), vb::Value("P"), vb::Value("T"), vb::Value("K")});
        TestEnvironment::ui().clear();
    }

    // A configuration header; the separators and markers as the presets table holds them.
    void configure(int idk, const QString& name, int zl, const QString& datum, const QString& uhrzeit,
                   const QString& kenz1nr, const QString& kenz1kz, const QString& tzs, const QString& tzz)
    {
        const auto lit = [](const QString& s) { return s.isEmpty() ? QStringLiteral("NULL") : "'" + s + "'"; };
        session.cnnX_V.Execute(QStringLiteral("INSERT INTO VELOR_VE1 (IDK, AKVK, ZL, DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ) "
                                              "VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9)")
                                   .arg(idk).arg(lit(name)).arg(zl).arg(lit(datum), lit(uhrzeit), lit(kenz1nr), lit(kenz1kz),
                                                                        lit(tzs), lit(tzz)));
    }

    void value(int idk, int mnr, const QString& spalte, std::optional<int> position, const QString& praefix = {},
               const QString& suffix = {}, float faktor = 1.0f)
    {
        const auto lit = [](const QString& s) { return s.isEmpty() ? QStringLiteral("NULL") : "'" + s + "'"; };
        session.cnnX_V.Execute(QStringLiteral("INSERT INTO VELOR_VE2 (IDK, MNR, SPALTE, POSITION, PRAEFIX, SUFFIX, FAKTOR, FORMAT) "
                                              "VALUES (%1, %2, %3, %4, %5, %6, %7, NULL)")
                                   .arg(idk).arg(mnr).arg(lit(spalte))
                                   .arg(position ? QString::number(*position) : QStringLiteral("NULL"))
                                   .arg(lit(praefix), lit(suffix)).arg(static_cast<double>(faktor)));
    }

    QString file(const QByteArray& content)
    {
        const QString path = files.filePath(QStringLiteral("mess%1.txt").arg(++fileCount));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }

    TestInstallation installation;
    SessionContext session;
    clsFLX flxImport;
    QTemporaryDir files;
    int fileCount = 0;
};
