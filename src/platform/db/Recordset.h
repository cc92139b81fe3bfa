#pragma once

#include "platform/vb/Value.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace db {

class Connection;

// The column kinds of the original databases, read from the declared column types.
enum class FieldKind { Long, Integer, Single, Double, Text, Boolean, Date, Other };

// A static, updatable snapshot of one single-table SELECT (static cursor, optimistic
// locking): the rows are read when it opens; AddNew/Update/Delete write through to the
// table by rowid and keep the snapshot in step. Writes convert the value to the column's
// declared kind and raise a type mismatch when it does not fit.
class Recordset {
public:
    Recordset() = default;
    Recordset(const QString& sql, Connection& connection) { Open(sql, connection); }
    ~Recordset() = default;

    void Open(const QString& sql, Connection& connection);
    void Close();
    bool isOpen() const { return connection_ != nullptr; }

    bool IsEOF() const { return position_ >= static_cast<int>(rows_.size()) || rows_.empty(); }
    bool IsBOF() const { return position_ < 0 || rows_.empty(); }
    int RecordCount() const;

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // The current row's place among the rows read, from 1; setting it makes that row current.
    int AbsolutePosition() const { return position_ + 1; }
    void setAbsolutePosition(int position);

    int fieldCount() const { return static_cast<int>(names_.size()); }
    QString fieldName(int index) const { return names_.at(index); }
    int fieldIndex(const QString& name) const;  // -1 when there is no such field
    FieldKind fieldKind(int index) const { return kinds_.at(index); }

    vb::Value field(const QString& name) const { return field(checkedIndex(name)); }
    vb::Value field(int index) const;
    void setField(const QString& name, const vb::Value& value) { setField(checkedIndex(name), value); }
    void setField(int index, const vb::Value& value);

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();

    const QString& table() const { return table_; }
    // The current row's place in its table, for writes by statement.
    long long rowid() const;

    // Converts a value to what a column of that kind stores (type mismatch when it cannot).
    static vb::Value convertForColumn(const vb::Value& value, FieldKind kind);

private:
    struct Row {
        long long rowid = 0;
        std::vector<vb::Value> values;
        bool deleted = false;
    };
    enum class EditMode { None, Edit, Add };

    int checkedIndex(const QString& name) const;
    void requireCurrent() const;
    void skipDeletedForward();
    void skipDeletedBackward();
    void flushEdit();

    Connection* connection_ = nullptr;
    QString table_;
    bool updatable_ = false;
    QStringList names_;
    std::vector<FieldKind> kinds_;
    std::vector<Row> rows_;
    int position_ = -1;
    EditMode mode_ = EditMode::None;
    Row pending_;
    std::map<int, bool> dirty_;
};

}  // namespace db
