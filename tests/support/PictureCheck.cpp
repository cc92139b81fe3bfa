#include "support/PictureCheck.h"

#include <QDir>
#include <cstdlib>

namespace {

constexpr int kGreyTolerance = 64;

QImage comparable(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

// Black where the pictures differ beyond the tolerance, a faint copy of the expected picture elsewhere.
QImage differencePicture(const QImage& actual, const QImage& expected)
{
    QImage diff(actual.size(), QImage::Format_RGB32);
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const int a = qGray(actual.pixel(x, y)), e = qGray(expected.pixel(x, y));
            diff.setPixel(x, y, std::abs(a - e) > kGreyTolerance ? qRgb(0, 0, 0) : qRgb(192 + e / 4, 192 + e / 4, 192 + e / 4));
        }
    return diff;
}

}  // namespace

bool PictureCheck::updatingReferences() { return qEnvironmentVariable("VELOR_UPDATE_REFERENCES") == QLatin1String("1"); }

QString PictureCheck::outputFolder() { return QDir::currentPath() + QStringLiteral("/picture-check"); }

double PictureCheck::differingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull()) return 1;
    const QImage x = comparable(a), y = comparable(b);
    long differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (std::abs(qGray(x.pixel(col, row)) - qGray(y.pixel(col, row))) > kGreyTolerance) ++differing;
    return static_cast<double>(differing) / (static_cast<double>(x.width()) * x.height());
}

::testing::AssertionResult PictureCheck::matches(const QImage& actual, const QString& referenceFolder, const QString& name,
                                                 double tolerance)
{
    const QString reference = referenceFolder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (updatingReferences()) {
        QDir().mkpath(referenceFolder);
        if (!comparable(actual).save(reference))
            return ::testing::AssertionFailure() << "cannot write the reference " << reference.toStdString();
        return ::testing::AssertionSuccess() << "reference " << reference.toStdString() << " rewritten";
    }
    const QImage expected(reference);
    const double share = differingShare(actual, expected);
    if (share <= tolerance) return ::testing::AssertionSuccess();

    const QString out = outputFolder();
    QDir().mkpath(out);
    const QString stem = out + QLatin1Char('/') + name;
    comparable(actual).save(stem + QStringLiteral("-actual.png"));
    auto failure = ::testing::AssertionFailure();
    if (expected.isNull()) {
        failure << name.toStdString() << ": no reference picture " << reference.toStdString();
    } else {
        expected.save(stem + QStringLiteral("-expected.png"));
        if (expected.size() == actual.size()) {
            differencePicture(comparable(actual), comparable(expected)).save(stem + QStringLiteral("-diff.png"));
            failure << name.toStdString() << ": " << share * 100 << "% of the pixels differ (allowed " << tolerance * 100 << "%)";
        } else {
            failure << name.toStdString() << ": size " << actual.width() << "x" << actual.height() << ", reference "
                    << expected.width() << "x" << expected.height();
        }
    }
    return failure << "; pictures in " << out.toStdString()
                   << " (VELOR_UPDATE_REFERENCES=1 rewrites the references after a deliberate change)";
}
