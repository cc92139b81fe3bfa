#include "capture/CaptureModel.h"

#include <QUndoCommand>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Every edit is a pair of actions on the model; the model's own signals tell the views what
// changed.
class CaptureCommand : public QUndoCommand {
public:
    using Action = std::function<void()>;
    CaptureCommand(const QString& text, Action redo, Action undo) : QUndoCommand(text), redo_(std::move(redo)), undo_(std::move(undo)) {}
    void redo() override { redo_(); }
    void undo() override { undo_(); }

private:
    Action redo_, undo_;
};

}  // namespace

bool CapturePoint::operator==(const CapturePoint& other) const
{
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    return pixel == other.pixel && same(x, other.x) && same(y, other.y);
}

CaptureModel::CaptureModel(QObject* parent) : QObject(parent), curves_(1) {}

CaptureModel::~CaptureModel()
{
    // The commands refer to the model: they go before it.
    stack_.clear();
}

const CapturePoint& CaptureModel::point(PointRef ref) const
{
    return curves_[static_cast<size_t>(ref.curve)].points[static_cast<size_t>(ref.index)];
}

void CaptureModel::load(std::vector<CaptureCurve> curves, std::vector<ReferenceClick> clicks)
{
    stack_.clear();
    correcting_.reset();
    setClicks(std::move(clicks));
    setCurves(std::move(curves));
    current_ = static_cast<int>(curves_.size()) - 1;
    markStored();
    emit currentChanged();
}

void CaptureModel::markStored()
{
    stack_.setClean();
    storedCount_ = pointCount_;
}

std::optional<QPointF> CaptureModel::valueAt(const QPointF& pixel) const
{
    if (!map_) return std::nullopt;
    return map_(pixel);
}

void CaptureModel::setCurrentCurve(int curve)
{
    current_ = std::clamp(curve, 0, static_cast<int>(curves_.size()) - 1);
    emit currentChanged();
}

void CaptureModel::setCorrecting(std::optional<PointRef> ref)
{
    correcting_ = ref;
    if (ref) current_ = ref->curve;
    emit currentChanged();
}

// --- edits ----------------------------------------------------------------------------------------

bool CaptureModel::click(const QPointF& pixel)
{
    const auto value = valueAt(pixel);
    if (!value) return false;
    if (correcting_) {
        const PointRef ref = *correcting_;
        correcting_.reset();
        movePoint(ref, pixel);
        emit currentChanged();
        return true;
    }
    const PointRef ref{current_, static_cast<int>(curves_[static_cast<size_t>(current_)].points.size())};
    const CapturePoint p{pixel, value->x(), value->y()};
    stack_.push(new CaptureCommand(
        tr("Punkt"), [this, ref, p]() { insertPoint(ref, p); },
        [this, ref]() { removePoint(ref); }));
    return true;
}

void CaptureModel::movePoint(PointRef ref, const QPointF& pixel)
{
    const auto value = valueAt(pixel);
    if (!value) return;
    const CapturePoint before = point(ref);
    const CapturePoint after{pixel, value->x(), value->y()};
    stack_.push(new CaptureCommand(
        tr("Verschieben"), [this, ref, after]() { setPoint(ref, after); },
        [this, ref, before]() { setPoint(ref, before); }));
}

void CaptureModel::deletePoints(std::vector<PointRef> refs)
{
    std::sort(refs.begin(), refs.end());
    refs.erase(std::unique(refs.begin(), refs.end()), refs.end());
    if (refs.empty()) return;
    std::vector<CapturePoint> points;
    for (PointRef ref : refs) points.push_back(point(ref));
    if (correcting_ && std::binary_search(refs.begin(), refs.end(), *correcting_)) setCorrecting(std::nullopt);
    // Removed from the last to the first and put back from the first to the last, so every
    // place stays right.
    stack_.push(new CaptureCommand(
        tr("Löschen"),
        [this, refs]() {
            for (auto r = refs.rbegin(); r != refs.rend(); ++r) removePoint(*r);
        },
        [this, refs, points]() {
            for (size_t i = 0; i < refs.size(); ++i) insertPoint(refs[i], points[i]);
        }));
}

void CaptureModel::insertEmpty(PointRef ref)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    const CapturePoint p{std::nullopt, none, none};
    stack_.push(new CaptureCommand(
        tr("Zeile"), [this, ref, p]() { insertPoint(ref, p); }, [this, ref]() { removePoint(ref); }));
}

void CaptureModel::newCurve(const QString& group)
{
    const int before = current_;
    stack_.push(new CaptureCommand(
        tr("Neue Kurve"),
        [this, group] {
            curves_.push_back({group, {}});
            emit reset();
            setCurrentCurve(static_cast<int>(curves_.size()) - 1);
        },
        [this, before] {
            curves_.pop_back();
            emit reset();
            setCurrentCurve(before);
        }));
}

void CaptureModel::replaceCurves(std::vector<CaptureCurve> curves, const QString& text)
{
    if (curves.empty()) curves.emplace_back();
    if (curves == curves_) return;
    stack_.push(new CaptureCommand(
        text, [this, after = std::move(curves)]() { setCurves(after); },
        [this, before = curves_]() { setCurves(before); }));
}

void CaptureModel::addClick(const ReferenceClick& click)
{
    std::vector<ReferenceClick> after = clicks_;
    after.push_back(click);
    stack_.push(new CaptureCommand(
        tr("Bezugspunkt"), [this, after]() { setClicks(after); },
        [this, before = clicks_]() { setClicks(before); }));
}

void CaptureModel::clearClicks()
{
    if (clicks_.empty()) return;
    stack_.push(new CaptureCommand(
        tr("Neu kalibrieren"), [this]() { setClicks({}); },
        [this, before = clicks_]() { setClicks(before); }));
}

bool CaptureModel::recompute(const QString& text)
{
    std::vector<CaptureCurve> after = curves_;
    for (CaptureCurve& c : after)
        for (CapturePoint& p : c.points) {
            if (!p.pixel) continue;
            if (const auto v = valueAt(*p.pixel)) p.x = v->x(), p.y = v->y();
        }
    if (after == curves_) return false;
    replaceCurves(std::move(after), text);
    return true;
}

// --- state changes the commands make --------------------------------------------------------------

void CaptureModel::insertPoint(PointRef ref, const CapturePoint& p)
{
    auto& points = curves_[static_cast<size_t>(ref.curve)].points;
    points.insert(points.begin() + ref.index, p);
    ++pointCount_;
    emit pointInserted(ref);
}

void CaptureModel::setPoint(PointRef ref, const CapturePoint& p)
{
    emit pointLeaving(ref);
    curves_[static_cast<size_t>(ref.curve)].points[static_cast<size_t>(ref.index)] = p;
    emit pointChanged(ref);
}

void CaptureModel::removePoint(PointRef ref)
{
    emit pointLeaving(ref);
    auto& points = curves_[static_cast<size_t>(ref.curve)].points;
    points.erase(points.begin() + ref.index);
    --pointCount_;
    if (correcting_ && correcting_->curve == ref.curve && correcting_->index >= ref.index) correcting_.reset();
    emit pointRemoved(ref);
}

void CaptureModel::setCurves(std::vector<CaptureCurve> curves)
{
    if (curves.empty()) curves.emplace_back();
    curves_ = std::move(curves);
    countPoints();
    correcting_.reset();
    current_ = std::clamp(current_, 0, static_cast<int>(curves_.size()) - 1);
    emit reset();
}

void CaptureModel::setClicks(std::vector<ReferenceClick> clicks)
{
    clicks_ = std::move(clicks);
    emit clicksChanged();
}

void CaptureModel::countPoints()
{
    pointCount_ = 0;
    for (const CaptureCurve& c : curves_) pointCount_ += static_cast<int>(c.points.size());
}

// --- rows ---------------------------------------------------------------------------------------------

int CaptureModel::rowOf(PointRef ref) const
{
    int row = ref.index;
    for (int c = 0; c < ref.curve; ++c) row += static_cast<int>(curves_[static_cast<size_t>(c)].points.size());
    return row;
}

std::optional<PointRef> CaptureModel::refOfRow(int row) const
{
    if (row < 0) return std::nullopt;
    for (int c = 0; c < static_cast<int>(curves_.size()); ++c) {
        const int n = static_cast<int>(curves_[static_cast<size_t>(c)].points.size());
        if (row < n) return PointRef{c, row};
        row -= n;
    }
    return std::nullopt;
}
