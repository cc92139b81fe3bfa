#pragma once

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

// Picture checks against reference PNGs, shared by every test that compares a drawing with a
// picture kept in the source tree.
//
// A picture matches when at most `tolerance` of its pixels differ from the reference by more
// than 64 grey levels (font rasterising moves a few pixels from machine to machine). On a
// mismatch the actual picture, the expected one and a difference picture are written to
// picture-check/ in the test's working folder, and the failure names them.
//
// With VELOR_UPDATE_REFERENCES=1 in the environment the reference is rewritten from the
// actual picture instead of compared, for a deliberate change of a drawing; review the new
// PNGs before committing them.
class PictureCheck {
public:
    static ::testing::AssertionResult matches(const QImage& actual, const QString& referenceFolder, const QString& name,
                                              double tolerance = 0.01);

    // Share of pixels whose grey value differs by more than 64; 1 for pictures of different size.
    static double differingShare(const QImage& a, const QImage& b);
    static bool updatingReferences();
    // Where failed checks leave their pictures.
    static QString outputFolder();
};
