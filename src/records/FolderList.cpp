#include "records/FolderList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

QString FolderList::folderAt(int row) const { return item(row)->data(Qt::UserRole).toString(); }

void FolderList::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (clean == path_ || !QFileInfo(clean).isDir()) return;
    path_ = clean;
    fill();
    emit pathChanged(path_);
}

void FolderList::fill()
{
    clear();
    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList chain;
    for (QDir d(path_);; ) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = depth == 0 ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name);
        item->setData(Qt::UserRole, folder);
        addItem(item);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList children = QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item = new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + child);
        item->setData(Qt::UserRole, QDir(path_).filePath(child));
        addItem(item);
    }
}
