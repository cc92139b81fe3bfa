#include "PagesFixture.h"

#include "data/RecordStore.h"
#include "graphics/clsGRAFIK.h"
#include "pages/OutputDiagram.h"
#include "pages/PointTable.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/ui/Procedure.h"

#include <cmath>

namespace {

using Prim = vb::RecordingSurface::Primitive;

class OutputDiagramTest : public PagesFixture {
protected:
    void SetUp() override
    {
        PagesFixture::SetUp();
        surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    }

    // The first drawing after an evaluation on a 160 x 125 mm picture.
    void drawNew()
    {
        vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 11"));
        diagram.copyRecordFrame(p, RecordStore(session).points(7));
        redraw();
    }
    void redraw()
    {
        surface.clear();
        vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 11"));
        diagram.draw(p, DrawTarget::screen(surface), RecordStore(session).points(7));
    }

    // The device point of a world point (logarithms on logarithmic axes).
    QPointF device(double x, double y) const
    {
        float xp = 0, yp = 0;
        diagram.engine()->KOORDTRANS(static_cast<float>(x), static_cast<float>(y), xp, yp);
        return {xp, yp};
    }
    bool hasSegment(QPointF a, QPointF b) const
    {
        const auto near = [](QPointF p, double x, double y) { return std::abs(p.x() - x) < 1e-3 && std::abs(p.y() - y) < 1e-3; };
        for (const Prim& l : surface.ofType(vb::RecordingSurface::Type::Line))
            if ((near(a, l.x1, l.y1) && near(b, l.x2, l.y2)) || (near(b, l.x1, l.y1) && near(a, l.x2, l.y2))) return true;
        return false;
    }
    std::size_t lineCount() const { return surface.ofType(vb::RecordingSurface::Type::Line).size(); }
    QStringList texts() const
    {
        QStringList out;
        for (const Prim& t : surface.ofType(vb::RecordingSurface::Type::Text)) out << t.text;
        return out;
    }
    QStringList g0(const QString& columns)
    {
        return TestEnvironment::column(session.cnnX,
                                       QStringLiteral("SELECT %1 FROM G0 WHERE ID = 7 AND IDOBJEKT = 11").arg(columns));
    }

    vb::RecordingSurface surface{vb::OutputSurface::Kind::Picture, 605, 472};  // 160 x 125 mm at 96 dpi
    OutputDiagram diagram{session, 7};
};

}  // namespace

TEST_F(OutputDiagramTest, NewEvaluationCopiesTheCalibrationWithFixedMarginsAndLaterDrawingsKeepG0)
{
    calibrate(0, 0, 0, 100, 0, 50);
    drawNew();
    EXPECT_EQ(g0(QStringLiteral("OX || '/' || OY || '/' || XMIN || '/' || XMAX || '/' || YMIN || '/' || YMAX || '/' || "
                                "RL || '/' || RR || '/' || RO || '/' || RU")),
              QStringList{QStringLiteral("1/1/0/100/0/50/11/8/8/11")});
    // A change made in G0 afterwards (the diagram dialog) survives the next drawing.
    exec(QStringLiteral("UPDATE G0 SET RL = 30, MX = 0, MY = 0"));
    redraw();
    EXPECT_EQ(g0(QStringLiteral("RL")), QStringList{QStringLiteral("30")});
    EXPECT_FLOAT_EQ(diagram.engine()->frame().RL, 30);
}

TEST_F(OutputDiagramTest, OrientationOtherThanPlusOrMinusOneCountsAsOne)
{
    calibrate(0, 0, 0, 100, 0, 50, 0, -1);
    drawNew();
    EXPECT_EQ(g0(QStringLiteral("OX || '/' || OY")), QStringList{QStringLiteral("1/-1")});
}

TEST_F(OutputDiagramTest, LinearPolygonsJoinTheirOwnPointsOnly)
{
    calibrate(0, 0, 0, 100, 0, 50);
    drawNew();
    const std::size_t axesOnly = lineCount();
    EXPECT_GT(axesOnly, 4u) << "a record without points still draws its axes";

    addPoint(0, 0, 10, 10);
    addPoint(0, 1, 20, 30);
    addPoint(0, 5, 40, 20);  // after a gap in the numbering
    addPoint(1, 0, 60, 5);
    addPoint(1, 1, 90, 45);
    redraw();
    EXPECT_EQ(lineCount(), axesOnly + 3) << "two segments in polygon 0, one in polygon 1, none between them";
    EXPECT_TRUE(hasSegment(device(10, 10), device(20, 30)));
    EXPECT_TRUE(hasSegment(device(20, 30), device(40, 20)));
    EXPECT_TRUE(hasSegment(device(60, 5), device(90, 45)));
    EXPECT_FALSE(hasSegment(device(40, 20), device(60, 5)));
    EXPECT_TRUE(ui().messages.isEmpty());
}

TEST_F(OutputDiagramTest, LogarithmicAxisDrawsLogarithmsAndBreaksAtPointsWithoutOne)
{
    calibrate(1, 0, 1, 100, 0, 50);
    addPoint(0, 0, 2, 10);
    addPoint(0, 1, 50, 20);
    addPoint(0, 2, 0, 25);  // no logarithm: the line breaks here
    addPoint(0, 3, 60, 30);
    addPoint(0, 4, 80, 40);
    drawNew();
    // x = 50 lies at log 50 = 1.699 inside the frame 1..100, not at 50 decades.
    const QPointF at50 = device(std::log10(50.0), 20);
    const auto frame = diagram.engine()->plotFrame();
    EXPECT_TRUE(frame.contains(at50.x(), at50.y()));
    EXPECT_TRUE(hasSegment(device(std::log10(2.0), 10), at50));
    EXPECT_TRUE(hasSegment(device(std::log10(60.0), 30), device(std::log10(80.0), 40)));
    EXPECT_FALSE(hasSegment(at50, device(std::log10(60.0), 30)));
    EXPECT_EQ(diagram.pointsOffAxis(), 1);

    diagram.reportPointsOffAxis(true);
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text, QStringLiteral("1 Punkt(e) mit Werten \u2264 0 haben auf der logarithmischen "
                                                    "Achse keinen Platz und werden nicht gezeichnet."));
    EXPECT_EQ(ui().messages[0].title, QStringLiteral("Bild 11"));
}

// A record captured on linear axes and made logarithmic afterwards keeps its end 0: the
// evaluation starts the axis at the smallest positive point instead of failing on log 0.
TEST_F(OutputDiagramTest, ALogarithmicAxisWithAStoredEndOfZeroStartsAtTheSmallestPositivePoint)
{
    calibrate(1, 0, 0, 100, 0, 50);
    addPoint(0, 0, 0, 10);
    addPoint(0, 1, 5, 20);
    addPoint(0, 2, 100, 30);
    drawNew();
    EXPECT_EQ(g0(QStringLiteral("XMIN || '/' || XMAX")), QStringList{QStringLiteral("5/100")});
    EXPECT_TRUE(ui().messages.isEmpty()) << ui().messages.value(0).text.toStdString();
    EXPECT_TRUE(hasSegment(device(std::log10(5.0), 20), device(2, 30)));
    EXPECT_EQ(diagram.pointsOffAxis(), 1);
}

// The titles kept with the record's capture name the axes and the table's columns; a title
// without a unit leaves the unit row empty.
TEST_F(OutputDiagramTest, TheRecordsAxisTitlesNameTheAxesAndTheTableColumns)
{
    calibrate(0, 0, 0, 100, 0, 50);
    addPoint(0, 0, 10, 20);
    exec(QStringLiteral("INSERT INTO E4 (ID, XTITEL, YTITEL) VALUES (7, 's [mm]', 'Spannung σ [kN/m²]')"));
    drawNew();
    EXPECT_TRUE(texts().contains(QStringLiteral("s [mm]"))) << texts().join(u'|').toStdString();
    EXPECT_TRUE(texts().contains(QStringLiteral("Spannung σ [kN/m²]"))) << texts().join(u'|').toStdString();
    const clsTABELLE::Values header = PointTable::headerRows(diagram.titles());
    EXPECT_EQ(header[3][0].asText() + u'/' + header[3][1].asText(), QStringLiteral("s/[mm]"));
    EXPECT_EQ(header[4][0].asText() + u'/' + header[4][1].asText(), QStringLiteral("Spannung σ/[kN/m²]"));
    const clsTABELLE::Values plain = PointTable::headerRows({QStringLiteral("Weg"), QStringLiteral("y [-]")});
    EXPECT_EQ(plain[3][0].asText() + u'/' + plain[3][1].asText(), QStringLiteral("Weg/"));
}

// The frame reaches data beyond the given candidates: a linear span above 20,000, a log decade above 100.
TEST_F(OutputDiagramTest, CandidatesExtendSoTheFrameCoversTheData)
{
    calibrate(0, 1, 0, 50000, 0.5, 5000);
    addPoint(0, 0, 100, 1);
    addPoint(0, 1, 49000, 4000);
    drawNew();
    const auto& f = diagram.engine()->frame();
    EXPECT_FLOAT_EQ(f.XMAX, 50000);
    EXPECT_FLOAT_EQ(f.YMAX, 4);  // log 10,000
    const QPointF last = device(49000, std::log10(4000.0));
    EXPECT_TRUE(diagram.engine()->plotFrame().contains(last.x(), last.y()));
    EXPECT_TRUE(texts().contains(QStringLiteral("1000,0"))) << texts().join(QLatin1Char('|')).toStdString();
}

// Strains of a few thousandths fill their frame, and every label shows the digits of its
// candidate: neither rounded to a neighbour nor with the noise of single precision.
TEST_F(OutputDiagramTest, SmallValuesFillTheirFrameAndLabelsKeepTheirDigits)
{
    calibrate(0, 0, 0, 100, 0, 0.0015);
    addPoint(0, 0, 10, 0.0002);
    addPoint(0, 1, 90, 0.0014);
    drawNew();
    const auto& f = diagram.engine()->frame();
    EXPECT_FLOAT_EQ(f.YMAX - f.YMIN, 0.0015f);
    const QPointF top = device(90, 0.0014);
    EXPECT_LT(top.y() - diagram.engine()->plotFrame().top, 20) << "the curve reaches into the frame's upper part";
    for (const char* label : {"0,0003", "0,0012", "0,0015"})
        EXPECT_TRUE(texts().contains(QString::fromLatin1(label))) << label << ": " << texts().join(QLatin1Char('|')).toStdString();

    exec(QStringLiteral("DELETE FROM E3"));
    calibrate(1, 0, 2, 63, 0, 50);
    drawNew();
    for (const char* label : {"2,0", "10,0", "63,0"})
        EXPECT_TRUE(texts().contains(QString::fromLatin1(label))) << label << ": " << texts().join(QLatin1Char('|')).toStdString();
}

// Each curve has its own marker at its points; several groups get a legend of their names,
// and light grid lines stand at the labelled ticks inside the frame.
TEST_F(OutputDiagramTest, CurvesCarryMarkersSeveralGroupsALegendAndLabelsLightGridLines)
{
    using Type = vb::RecordingSurface::Type;
    const auto near = [](const Prim& p, QPointF at) { return std::abs(p.x1 - at.x()) < 0.6 && std::abs(p.y1 - at.y()) < 0.6; };
    const auto count = [&](Type type, QPointF at) {
        const auto all = surface.ofType(type);
        return std::count_if(all.begin(), all.end(), [&](const Prim& p) { return near(p, at); });
    };
    calibrate(0, 0, 0, 100, 0, 50);
    addPoint(0, 0, 10, 10, QStringLiteral("Probe A"));
    addPoint(0, 1, 20, 20, QStringLiteral("Probe A"));
    addPoint(0, 2, 30, 25, QStringLiteral("Probe A"));
    addPoint(1, 0, 60, 10, QStringLiteral("Probe B"));
    addPoint(1, 1, 70, 15, QStringLiteral("Probe B"));
    drawNew();
    EXPECT_EQ(count(Type::Circle, device(20, 20)), 1) << "a circle on the first curve";
    EXPECT_EQ(count(Type::Circle, device(60, 10)), 0);
    EXPECT_EQ(count(Type::Box, QPointF(device(60, 10).x() - 0.5, device(60, 10).y() - 0.5)), 1) << "a box on the second";
    EXPECT_TRUE(texts().contains(QStringLiteral("Probe A")));
    EXPECT_TRUE(texts().contains(QStringLiteral("Probe B")));

    // Light lines at the inner labels: x 50 of 0..100, y 25 of 0..50.
    std::vector<Prim> light;
    for (const Prim& l : surface.ofType(Type::Line))
        if (l.colour == vb::RGB(200, 200, 200)) light.push_back(l);
    ASSERT_EQ(light.size(), 2u);
    EXPECT_TRUE(hasSegment(device(50, 0), device(50, 50)) || hasSegment(device(50, 50), device(50, 0)));
    EXPECT_TRUE(hasSegment(device(0, 25), device(100, 25)) || hasSegment(device(100, 25), device(0, 25)));

    // One group: no legend, but the polygons are still told apart.
    exec(QStringLiteral("UPDATE E3 SET GRUPPE = 'K'"));
    redraw();
    EXPECT_FALSE(texts().contains(QStringLiteral("K")));
    EXPECT_EQ(count(Type::Circle, device(20, 20)), 1);
    EXPECT_EQ(count(Type::Circle, device(60, 10)), 0);
}
