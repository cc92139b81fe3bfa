#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <QUndoStack>
#include <compare>
#include <functional>
#include <optional>
#include <vector>

// One captured point: where it was clicked on the scan and the axis values that follow from
// the calibration. A point typed by hand has no pixel and keeps its typed values.
struct CapturePoint {
    std::optional<QPointF> pixel;
    // NaN: no value yet (a row of the grid not filled in).
    double x = 0, y = 0;
    bool operator==(const CapturePoint& other) const;
};

// One curve: a group label and its points in order.
struct CaptureCurve {
    QString group;
    std::vector<CapturePoint> points;
    bool operator==(const CaptureCurve&) const = default;
};

// A point by its curve and its place in that curve.
struct PointRef {
    int curve = 0, index = 0;
    auto operator<=>(const PointRef&) const = default;
};

// A calibration click: the kind of reference (the corner option it was clicked with), the
// scan pixel and the axis values typed for it.
struct ReferenceClick {
    int kind = 0;
    QPointF pixel;
    double wx = 0, wy = 0;
    bool operator==(const ReferenceClick&) const = default;
};

// A capture as a model: curves of points, the calibration's reference clicks and the undo
// stack of every edit. The grid and the markers on the picture are views of it and the store
// reads it; every user action is a command, so undo, redo and "changed since the last
// store" need nothing else. The scan pixel is a point's primary fact: its values come from
// the value map (the calibration) and follow when the map changes.
class CaptureModel : public QObject {
    Q_OBJECT
public:
    // Axis values of a scan pixel; nothing where the calibration gives none.
    using ValueMap = std::function<std::optional<QPointF>(const QPointF& pixel)>;

    explicit CaptureModel(QObject* parent = nullptr);
    ~CaptureModel() override;

    const std::vector<CaptureCurve>& curves() const { return curves_; }
    const CapturePoint& point(PointRef ref) const;
    int pointCount() const { return pointCount_; }
    const std::vector<ReferenceClick>& clicks() const { return clicks_; }
    QUndoStack& undoStack() { return stack_; }

    // Starts over from what is stored (not undoable): the stack is emptied and marked clean.
    void load(std::vector<CaptureCurve> curves, std::vector<ReferenceClick> clicks);
    // The store took the model as it is now.
    void markStored();
    bool changedSinceStored() const { return !stack_.isClean(); }
    // The points as loaded or last stored.
    int storedCount() const { return storedCount_; }

    void setValueMap(ValueMap map) { map_ = std::move(map); }
    // The values of `pixel` under the current map.
    std::optional<QPointF> valueAt(const QPointF& pixel) const;

    // Where clicks go: the curve they append to, and the point the next click moves instead.
    int currentCurve() const { return current_; }
    void setCurrentCurve(int curve);
    std::optional<PointRef> correcting() const { return correcting_; }
    void setCorrecting(std::optional<PointRef> ref);

    // --- edits: each one undoable command -------------------------------------------------
    // A click on the scan: moves the point being corrected (and ends the correction) or
    // appends a point to the current curve. False when the map gives no values there.
    bool click(const QPointF& pixel);
    void movePoint(PointRef ref, const QPointF& pixel);
    void deletePoints(std::vector<PointRef> refs);
    // A point without values yet (a new row of the grid) at `ref`.
    void insertEmpty(PointRef ref);
    // A new empty curve at the end, which takes the following clicks.
    void newCurve(const QString& group);
    // The curves as the grid now shows them after an edit there (cells, rows, paste).
    void replaceCurves(std::vector<CaptureCurve> curves, const QString& text);
    void addClick(const ReferenceClick& click);
    // Forgets the calibration clicks (another scan, calibrated anew).
    void clearClicks();
    // The map changed: every point with a pixel takes its values anew (points whose pixel
    // the map does not cover keep theirs). False when no value changes.
    bool recompute(const QString& text);

    // --- rows: the points of all curves in order, as the grid lists them ------------------
    int rowOf(PointRef ref) const;
    std::optional<PointRef> refOfRow(int row) const;

signals:
    void pointInserted(PointRef ref);
    // Before a point changes or goes, while it can still be read as it was.
    void pointLeaving(PointRef ref);
    void pointChanged(PointRef ref);
    void pointRemoved(PointRef ref);
    // More than one point changed, or curves came or went: views read everything again.
    void reset();
    void clicksChanged();
    void currentChanged();

private:
    void insertPoint(PointRef ref, const CapturePoint& p);
    void setPoint(PointRef ref, const CapturePoint& p);
    void removePoint(PointRef ref);
    void setCurves(std::vector<CaptureCurve> curves);
    void setClicks(std::vector<ReferenceClick> clicks);
    void countPoints();

    std::vector<CaptureCurve> curves_;
    std::vector<ReferenceClick> clicks_;
    int pointCount_ = 0;
    int storedCount_ = 0;
    int current_ = 0;
    std::optional<PointRef> correcting_;
    ValueMap map_;
    QUndoStack stack_;
};
