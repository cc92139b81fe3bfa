#include "records/DriveList.h"

#include <QSet>
#include <QStorageInfo>

namespace {

bool isPseudo(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo{"proc", "sysfs", "devpts", "devtmpfs", "cgroup", "cgroup2", "securityfs", "pstore",
                                         "debugfs", "tracefs", "mqueue", "hugetlbfs", "fusectl", "configfs", "bpf", "autofs",
                                         "binfmt_misc", "efivarfs", "nsfs", "squashfs", "ramfs", "rpc_pipefs", "tmpfs", "overlay"};
    return pseudo.contains(type);
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    addItems(drives());
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!text.isEmpty()) emit driveChanged(text);
    });
}

QString DriveList::driveOf(const QString& path)
{
    const QStorageInfo info(path);
    return info.isValid() ? info.rootPath() : QStringLiteral("/");
}

QStringList DriveList::drives()
{
    QStringList list{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || isPseudo(volume.fileSystemType())) continue;
        if (volume.rootPath().startsWith(QLatin1String("/boot")) || volume.rootPath().startsWith(QLatin1String("/snap"))) continue;
        if (!list.contains(volume.rootPath())) list.append(volume.rootPath());
    }
    return list;
}

void DriveList::setDrive(const QString& path)
{
    const QString root = driveOf(path);
    int index = findText(root);
    if (index < 0) {
        addItem(root);
        index = count() - 1;
    }
    setCurrentIndex(index);
}
