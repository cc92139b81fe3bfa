#pragma once

#include "capture/PointGrid.h"
#include "capture/frmVELOR.h"
#include "data/SessionContext.h"
#include "platform/db/Recordset.h"
#include "platform/surface/PictureBox.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/FlexGrid.h"
#include "support/FakeShell.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// A project with record 1 active, its picture folder, and the input page's picture
// (240 x 125 mm, Tag "11") inside a shown owner window.
class CaptureFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        installation.addProject(QStringLiteral("P1"));
        session().setProject(installation.projectsFolder(), QStringLiteral("P1"), QStringLiteral("Tester"));
        session().setDecimalSeparator(QStringLiteral(","));
        session().cnnX.OpenFile(installation.projectFolder(QStringLiteral("P1")) + QStringLiteral("/VELOR.mdb"));
        exec("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (1, 'Probe', NULL, 1)");
        exec("INSERT INTO E2 (ID, LOGX, LOGY) VALUES (1, 0, 0)");
        owner.resize(1100, 700);
        picture = new vb::PictureBox(&owner);
        picture->Tag(QStringLiteral("11"));
        picture->setGeometry(57, 132, mmToPixels(240), mmToPixels(125));
        picture->resize(mmToPixels(240), mmToPixels(125));
        picture->ScaleMode(vb::OutputSurface::vbMillimeters);
        owner.show();
    }

    void TearDown() override
    {
        window.reset();
        session().cnnX.Close();
    }

    SessionContext& session() { return shell.session_; }
    void exec(const char* sql) { session().cnnX.Execute(QString::fromUtf8(sql)); }
    int mmToPixels(double mm) const { return qRound(mm / 25.4 * owner.logicalDpiX()); }

    QString pictureFolder() const { return installation.projectFolder(QStringLiteral("P1")) + QStringLiteral("/GRAFIK"); }
    // Writes a picture into the project's picture folder.
    void addPicture(const QString& name, const QImage& image)
    {
        QDir().mkpath(pictureFolder());
        image.save(pictureFolder() + QLatin1Char('/') + name);
    }
    void addPicture(const QString& name = QStringLiteral("scan.png"))
    {
        QImage image(1200, 625, QImage::Format_RGB32);
        image.fill(Qt::white);
        addPicture(name, image);
    }

    frmVELOR& open()
    {
        window = std::make_unique<frmVELOR>(shell, *picture, &owner);
        window->show();
        return *window;
    }
    // Opens the window and chooses the first picture of the list.
    frmVELOR& openWithPicture()
    {
        frmVELOR& w = open();
        w.cboGRAFIK->setCurrentIndex(0);
        w.cboGRAFIK_Click();
        return w;
    }

    void typeEnds(frmVELOR& w, const QString& xmin, const QString& xmax, const QString& ymin, const QString& ymax)
    {
        w.txtXMIN->setText(xmin);
        w.txtXMAX->setText(xmax);
        w.txtYMIN->setText(ymin);
        w.txtYMAX->setText(ymax);
    }
    // Types the ends and clicks both main corners: x from 20 to 220 mm, y from 110 up to 15 mm.
    void calibrate(frmVELOR& w, const QString& xmin, const QString& xmax, const QString& ymin, const QString& ymax)
    {
        typeEnds(w, xmin, xmax, ymin, ymax);
        w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
        w.KLICK(220, 110);
        w.optAUSWAHL_Click(frmVELOR::XminYmax);
        w.KLICK(20, 15);
        w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    }

    QStringList column(const QString& sql)
    {
        QStringList out;
        db::Recordset rs(sql, session().cnnX);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            const vb::Value v = rs.field(0);
            out << (v.isNull() ? QStringLiteral("<null>") : vb::CStr(v));
        }
        return out;
    }
    QString cell(int row, int col) const { return window->fraVELOR->msgFLX->TextMatrix(row, col); }

    QStringList messageTexts() const
    {
        QStringList out;
        for (const auto& m : TestEnvironment::ui().messages) out << m.text;
        return out;
    }

    TestInstallation installation;
    FakeShell shell;
    QWidget owner;
    vb::PictureBox* picture = nullptr;
    std::unique_ptr<frmVELOR> window;
};

inline void PrintTo(const QStringList& list, std::ostream* os) { *os << '[' << list.join(QStringLiteral(" | ")).toStdString() << ']'; }
