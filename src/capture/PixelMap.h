#pragma once

#include <QPointF>
#include <array>
#include <optional>
#include <vector>

// Scan pixels to axis values and back, fitted to reference points clicked on the scan: the
// plot's corners with both values typed, and axis ticks with only their x or only their y.
// The model follows the corners: two give an axis-aligned map (each axis read along its own
// scan direction, as for a straight scan), three an affine one (rotation, shear, two scales),
// four a projective one (a page photographed at a slant). Any further reference makes the fit
// a least-squares one, weighed in scan pixels. On a logarithmic axis the map is linear in
// decades. Scan pixels: 0,0 the top-left corner of the top-left pixel, y downwards.
class PixelMap {
public:
    struct Reference {
        QPointF pixel;
        std::optional<double> x, y;  // the typed values (at least one)
    };
    enum class Model { AxisAligned, Affine, Projective };

    // None when the references do not fix a map: fewer than two corners (or two x and two y
    // values for an axis-aligned map), references in a line, a non-positive value on a
    // logarithmic axis, or a projective map that folds the references over its horizon.
    static std::optional<PixelMap> fit(const std::vector<Reference>& references, bool logX, bool logY);
    // The model the references ask for: by the number of corners.
    static Model modelFor(const std::vector<Reference>& references);

    Model model() const { return model_; }
    // The axis values at a scan pixel, and the scan pixel of a pair of values.
    QPointF value(const QPointF& pixel) const;
    QPointF pixel(double x, double y) const;
    // How far each reference lies from where the map puts its typed values, in scan pixels
    // (for a tick: from the line of its value), in the order the references were given.
    const std::vector<double>& residuals() const { return residuals_; }
    double worstResidual() const;
    // The angle of the x axis against the scan's rows at the middle of the references, in
    // degrees, counter-clockwise as seen on the screen.
    double skewDegrees() const { return skew_; }

private:
    using Matrix = std::array<double, 9>;  // row-major 3 x 3, pixel -> (u, v, w)

    PixelMap(Model model, const Matrix& forward, bool logX, bool logY);
    // The map in the axes' own units (decades on a logarithmic axis).
    QPointF linear(const QPointF& pixel) const;
    double residual(const Reference& r) const;
    double skewAt(const QPointF& at) const;
    static std::optional<Matrix> solve(const std::vector<Reference>& refs, Model model, bool logX, bool logY,
                                       const std::vector<double>& weights);

    Model model_;
    Matrix forward_{}, inverse_{};
    bool logX_ = false, logY_ = false;
    std::vector<double> residuals_;
    double skew_ = 0;
};
