#pragma once

#include "data/SessionContext.h"
#include "graphics/clsGRAFIK.h"
#include "platform/surface/RecordingSurface.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>

using Prim = vb::RecordingSurface::Primitive;
using PrimType = vb::RecordingSurface::Type;

// An engine on a recording A4 surface in millimetres with a fixed frame: diagram area at
// (10, 20) of 200 x 100 mm, margins 20/10/10/20, world 0..100 x 0..50 at 1 unit per mm in x
// and 0.5 per mm in y, values growing right and up.
class GraphicsFixture : public ::testing::Test {
protected:
    // A new engine on the surface, its diagram area at (10, 20) of 200 x 100 mm.
    void placeEngine()
    {
        engine = std::make_unique<clsGRAFIK>(session);
        engine->EOBJEKT(&surface);
        engine->EXDL(10);
        engine->EYDO(20);
        engine->ELX(200);
        engine->ELY(100);
    }

    void SetUp() override
    {
        TestEnvironment::ui().clear();
        surface.ScaleMode(vb::OutputSurface::vbMillimeters);
        placeEngine();
        FrameSettings f;
        f.OX = 1, f.OY = 1;
        f.RL = 20, f.RR = 10, f.RO = 10, f.RU = 20;
        f.XMIN = 0, f.XMAX = 170, f.YMIN = 0, f.YMAX = 35;
        f.MX = 1, f.MY = 0.5f;
        engine->setFrame(f);
        surface.clear();
    }

    std::vector<Prim> lines() const { return surface.ofType(PrimType::Line); }
    std::vector<Prim> texts() const { return surface.ofType(PrimType::Text); }
    const QList<vb::ScriptedUi::Message>& messages() const { return TestEnvironment::ui().messages; }

    SessionContext session;
    vb::RecordingSurface surface;
    std::unique_ptr<clsGRAFIK> engine;
};

// Expects a recorded line between the two points (in either direction).
inline ::testing::AssertionResult isLine(const Prim& p, double x1, double y1, double x2, double y2, double tol = 1e-4)
{
    const auto near = [tol](double a, double b) { return std::abs(a - b) <= tol; };
    if (p.type != PrimType::Line) return ::testing::AssertionFailure() << "not a line";
    if ((near(p.x1, x1) && near(p.y1, y1) && near(p.x2, x2) && near(p.y2, y2)) ||
        (near(p.x1, x2) && near(p.y1, y2) && near(p.x2, x1) && near(p.y2, y1)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "line (" << p.x1 << ", " << p.y1 << ")-(" << p.x2 << ", " << p.y2
                                         << ") is not (" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")";
}
