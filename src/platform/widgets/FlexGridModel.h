#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <vector>

namespace vb {

// The cell texts of a FlexGrid, fixed rows and columns included, stored row by row.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FlexGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void resize(int rows, int cols);
    void insertRowAt(int row);
    void removeRowAt(int row);
    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    void setFixed(int rows, int cols);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setColors(const QColor& back, const QColor& fixed);
    void setAlignment(int col, Qt::Alignment alignment);

private:
    int rows_ = 0, cols_ = 0, fixedRows_ = 0, fixedCols_ = 0;
    std::vector<QString> cells_;
    std::vector<Qt::Alignment> alignments_;
    QColor back_, fixed_;
};

}  // namespace vb
