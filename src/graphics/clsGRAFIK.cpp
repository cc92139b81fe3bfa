// The engine object itself: properties, the surface, the world-to-device mapping, pen and
// font settings.
#include "graphics/clsGRAFIK.h"

#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "graphics/PenSettings.h"
#include "graphics/PlotMath.h"
#include "graphics/SurfaceMeasure.h"
#include "platform/surface/OutputSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <cmath>

namespace {
constexpr double twipsPerMillimetre = 56.7;
}

clsGRAFIK::clsGRAFIK(SessionContext& session) : session_(session)
{
    readActiveRecord(session);
}

clsGRAFIK::~clsGRAFIK() = default;

void clsGRAFIK::readActiveRecord(SessionContext& session)
{
    // The diagram settings belong to the active record unless the caller names another.
    if (!session.cnnX.isOpen()) return;
    try {
        if (const auto active = RecordStore(session).activeRecord()) eid_ = active->id;
    } catch (const vb::VbError&) {
        eid_ = 0;
    }
}

vb::Procedure clsGRAFIK::trap(const QString& title, const QString& prefix) { return vb::Procedure(prefix, title); }

vb::OutputSurface& clsGRAFIK::surface() const
{
    if (!surface_) vb::raise(vb::errObjectNotSet);
    return *surface_;
}

void clsGRAFIK::EOBJEKT(vb::OutputSurface* surface)
{
    surface_ = surface;
    labels_.surface(surface);
    if (!surface || surface->kind() == vb::OutputSurface::Kind::Other) return;
    const SurfaceMeasure m = SurfaceMeasure::of(*surface);
    pixelFactorX_ = m.factorX;
    pixelFactorY_ = m.factorY;
    ELX(static_cast<float>(surface->Width() / twipsPerMillimetre));
    ELY(static_cast<float>(surface->Height() / twipsPerMillimetre));
    SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0);
}

void clsGRAFIK::ELX(float mm)
{
    elx_ = mm;
    xLists_ = AxisLists{{0.0f, mm}, {mm}, {1}, {0}, {0}};
}

void clsGRAFIK::ELY(float mm)
{
    ely_ = mm;
    yLists_ = AxisLists{{0.0f, mm}, {mm}, {1}, {0}, {0}};
}

void clsGRAFIK::EXYIT(float v) { exyit_ = static_cast<int16_t>(PlotMath::toInt(v)); }

ClipRect clsGRAFIK::diagramArea() const { return {exdl_, exdl_ + elx_, eydo_, eydo_ + ely_}; }

ClipRect clsGRAFIK::plotFrame() const
{
    return {exdl_ + frame_.RL, exdl_ + elx_ - frame_.RR, eydo_ + frame_.RO, eydo_ + ely_ - frame_.RU};
}

void clsGRAFIK::LINIENEINSTELLUNGEN(int16_t& LINIENART, float& LINIENBREITE, int32_t& FARBE)
{
    auto p = trap(QStringLiteral("Linieneinstellungen"), QStringLiteral("VB-Fehler "));
    p.step([&] { PenSettings::apply(surface(), pixelFactorX_, LINIENART, LINIENBREITE, FARBE); });
}

void clsGRAFIK::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                     bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    labels_.SCHRIFTEINSTELLUNGEN(SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE);
}

clsGRAFIK::Point clsGRAFIK::toDevice(double X, double Y) const
{
    const FrameSettings& f = frame_;
    const double dx = f.OX == 1 ? X - f.XMIN : f.XMAX - X;
    const double dy = f.OY == 1 ? f.YMAX - Y : Y - f.YMIN;
    // A zero scale is a division by zero, not an infinitely distant point.
    return {exdl_ + scrollX_ + f.RL + PlotMath::divide(dx, f.MX), eydo_ + scrollY_ + f.RO + PlotMath::divide(dy, f.MY)};
}

void clsGRAFIK::KOORDTRANS(float X, float Y, float& XP, float& YP)
{
    auto p = trap(QStringLiteral("Koordinatentransformation"));
    p.step([&] {
        const Point d = toDevice(X, Y);
        XP = static_cast<float>(d.x);
        YP = static_cast<float>(d.y);
    });
}

void clsGRAFIK::KOORDTRANSINV(float XP, float YP, float& X, float& Y, int16_t SKTX, int16_t SKTY)
{
    auto p = trap(QStringLiteral("Inverse Koordinatentransformation"));
    p.step([&] {
        const FrameSettings& f = frame_;
        double x = f.OX == 1 ? f.MX * (XP - exdl_ - scrollX_ - f.RL) + f.XMIN
                             : (exdl_ + scrollX_ + f.RL - XP) * f.MX + f.XMAX;
        double y = f.OY == 1 ? f.MY * (f.RO + eydo_ + scrollY_ - YP) + f.YMAX
                             : (YP - eydo_ - scrollY_ - f.RO) * f.MY + f.YMIN;
        if (SKTX == 1) x = std::pow(10.0, x);
        if (SKTY == 1) y = std::pow(10.0, y);
        X = static_cast<float>(x);
        Y = static_cast<float>(y);
    });
}

void clsGRAFIK::MASSSTAB(FrameSettings& f) const
{
    if (f.MX == 0) f.MX = static_cast<float>(PlotMath::divide(f.XMAX - f.XMIN, elx_ - f.RL - f.RR));
    if (f.MY == 0) f.MY = static_cast<float>(PlotMath::divide(f.YMAX - f.YMIN, ely_ - f.RO - f.RU));
    if (f.MYMX > 0) {
        // The coarser scale wins; the other follows the required ratio.
        if (f.MX > f.MY) f.MY = f.MYMX * f.MX;
        else f.MX = static_cast<float>(PlotMath::divide(f.MY, f.MYMX));
    }
}
