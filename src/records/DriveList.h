#pragma once

#include <QComboBox>

// The drive list of the platform: on Linux the roots a user keeps projects under — the file
// system root and the mounted volumes with real storage (disks, USB sticks, network shares),
// leaving out the kernel's pseudo file systems.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The mount point a path lives on.
    static QString driveOf(const QString& path);
    static QStringList drives();

    QString drive() const { return currentText(); }
    // Selects the drive of `path`, adding it when it is not listed (a folder on a volume the
    // filter left out must still be reachable).
    void setDrive(const QString& path);

signals:
    void driveChanged(const QString& drive);
};
