#pragma once

#include <QListWidget>

// The folder list: the open folder's ancestors from the drive root down, then its
// subfolders, indented like a tree. Double-click or Enter opens a folder; every change of
// the open folder is signalled.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    void setPath(const QString& path);
    // The folder behind a list row.
    QString folderAt(int row) const;

signals:
    void pathChanged(const QString& path);

private:
    void fill();

    QString path_;
};
