#include "platform/db/Recordset.h"

#include "platform/db/Connection.h"
#include "platform/db/ParameterizedSql.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <QRegularExpression>
#include <optional>

namespace db {

using vb::Value;
using vb::VarType;

namespace {

FieldKind kindOf(const QString& declared)
{
    const QString t = declared.toUpper();
    if (t.startsWith(QLatin1String("LONG")) || t == QLatin1String("INTEGER") || t == QLatin1String("INT")
        || t == QLatin1String("COUNTER"))
        return FieldKind::Long;
    if (t == QLatin1String("SMALLINT") || t == QLatin1String("SHORT")) return FieldKind::Integer;
    if (t == QLatin1String("SINGLE") || t == QLatin1String("REAL")) return FieldKind::Single;
    if (t == QLatin1String("DOUBLE") || t == QLatin1String("FLOAT")) return FieldKind::Double;
    if (t.startsWith(QLatin1String("TEXT")) || t.startsWith(QLatin1String("VARCHAR")) || t == QLatin1String("MEMO"))
        return FieldKind::Text;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("BIT") || t == QLatin1String("YESNO")) return FieldKind::Boolean;
    if (t == QLatin1String("DATETIME") || t == QLatin1String("DATE")) return FieldKind::Date;
    return FieldKind::Other;
}

Value readColumn(const Statement& st, int col, FieldKind kind)
{
    using Type = Statement::Type;
    const Type type = st.type(col);
    if (type == Type::Null) return Value::null();
    const bool number = type != Type::Text && type != Type::Blob;
    switch (kind) {
    case FieldKind::Long: if (type == Type::Integer) return Value(static_cast<int32_t>(st.integer(col))); break;
    case FieldKind::Integer: if (type == Type::Integer) return Value(static_cast<int16_t>(st.integer(col))); break;
    case FieldKind::Single: if (number) return Value(static_cast<float>(st.real(col))); break;
    case FieldKind::Double: if (number) return Value(st.real(col)); break;
    case FieldKind::Boolean: if (type == Type::Integer) return Value(st.integer(col) != 0); break;
    case FieldKind::Date: if (number) return Value::date(st.real(col)); break;
    default: break;
    }
    // A value of another storage class than its column declares: hand it over as stored.
    switch (type) {
    case Type::Integer: {
        const long long v = st.integer(col);
        if (v >= INT32_MIN && v <= INT32_MAX) return Value(static_cast<int32_t>(v));
        return Value(static_cast<double>(v));
    }
    case Type::Real: return Value(st.real(col));
    default: return Value(st.text(col));
    }
}

QString tableOf(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral("\\bFROM\\s+\\[?([^\\]\\s;]+)\\]?"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

// "SELECT a,b FROM t ..." -> "SELECT _rowid_,a,b FROM t ...", so that rows can be written back.
QString withRowid(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral("^\\s*SELECT\\s+"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sql);
    if (!m.hasMatch()) return QString();
    return sql.left(m.capturedEnd()) + QStringLiteral("_rowid_,") + sql.mid(m.capturedEnd());
}

}  // namespace

Value Recordset::convertForColumn(const Value& value, FieldKind kind)
{
    if (value.isNull() || value.isEmpty()) return Value::null();
    try {
        switch (kind) {
        case FieldKind::Long: return Value(vb::CLng(value));
        case FieldKind::Integer: return Value(vb::CInt(value));
        case FieldKind::Single: return Value(vb::CSng(value));
        case FieldKind::Double: return Value(vb::CDbl(value));
        case FieldKind::Text: return Value(vb::CStr(value));
        case FieldKind::Boolean: return Value(vb::CBool(value));
        case FieldKind::Date: return Value(vb::CDate(value));
        case FieldKind::Other: return value;
        }
    } catch (const vb::VbError& e) {
        if (e.number() == vb::errOverflow) throw;
        vb::raise(vb::errTypeMismatch);
    }
    return value;
}

void Recordset::Open(const QString& sql, Connection& connection)
{
    Close();
    if (!connection.isOpen()) vb::raise(vb::errDatabase, QStringLiteral("The connection is closed."));
    const ParameterizedSql p = ParameterizedSql::from(sql);
    table_ = tableOf(sql);
    std::optional<Statement> st;
    const QString withId = withRowid(p.sql);
    updatable_ = false;
    if (!withId.isEmpty() && !table_.isEmpty()) {
        try {
            st = connection.prepare(withId);
            updatable_ = true;
        } catch (const vb::VbError&) {
            // not a plain table (a view, a join): read-only
        }
    }
    if (!st) st = connection.prepare(p.sql);
    st->bindAll(p.parameters);

    const int first = updatable_ ? 1 : 0;
    const int columns = st->columnCount();
    for (int c = first; c < columns; ++c) {
        names_.append(st->columnName(c));
        kinds_.push_back(kindOf(st->declaredType(c)));
    }
    try {
        while (st->next()) {
            Row row;
            row.rowid = updatable_ ? st->integer(0) : 0;
            row.values.reserve(names_.size());
            for (int c = first; c < columns; ++c) row.values.push_back(readColumn(*st, c, kinds_[c - first]));
            rows_.push_back(std::move(row));
        }
    } catch (const vb::VbError&) {
        names_.clear();
        kinds_.clear();
        rows_.clear();
        throw;
    }
    connection_ = &connection;
    position_ = 0;
}

void Recordset::Close()
{
    connection_ = nullptr;
    names_.clear();
    kinds_.clear();
    rows_.clear();
    position_ = -1;
    mode_ = EditMode::None;
    dirty_.clear();
}

int Recordset::RecordCount() const
{
    int n = 0;
    for (const Row& r : rows_) n += r.deleted ? 0 : 1;
    return n;
}

void Recordset::skipDeletedForward()
{
    while (position_ < static_cast<int>(rows_.size()) && rows_[position_].deleted) ++position_;
}

void Recordset::skipDeletedBackward()
{
    while (position_ >= 0 && rows_[position_].deleted) --position_;
}

void Recordset::flushEdit()
{
    if (mode_ != EditMode::None) Update();
}

void Recordset::MoveFirst()
{
    flushEdit();
    position_ = 0;
    skipDeletedForward();
}

void Recordset::MoveLast()
{
    flushEdit();
    position_ = static_cast<int>(rows_.size()) - 1;
    skipDeletedBackward();
}

void Recordset::MoveNext()
{
    flushEdit();
    if (IsEOF()) vb::raise(vb::errNoCurrentRecord);
    ++position_;
    skipDeletedForward();
}

void Recordset::MovePrevious()
{
    flushEdit();
    if (IsBOF()) vb::raise(vb::errNoCurrentRecord);
    --position_;
    skipDeletedBackward();
}

void Recordset::setAbsolutePosition(int position)
{
    flushEdit();
    if (position < 1 || position > static_cast<int>(rows_.size())) vb::raise(vb::errNoCurrentRecord);
    position_ = position - 1;
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Recordset::checkedIndex(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0) vb::raise(3265, QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return i;
}

void Recordset::requireCurrent() const
{
    if (!isOpen()) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (mode_ == EditMode::Add) return;
    if (IsEOF() || IsBOF() || rows_[position_].deleted) vb::raise(vb::errNoCurrentRecord);
}

long long Recordset::rowid() const
{
    requireCurrent();
    return rows_[position_].rowid;
}

Value Recordset::field(int index) const
{
    requireCurrent();
    if (index < 0 || index >= fieldCount()) vb::raise(vb::errSubscript);
    if (mode_ != EditMode::None) return pending_.values[index];
    return rows_[position_].values[index];
}

void Recordset::setField(int index, const Value& value)
{
    requireCurrent();
    if (index < 0 || index >= fieldCount()) vb::raise(vb::errSubscript);
    if (!updatable_) vb::raise(3251, QStringLiteral("Current Recordset does not support updating."));
    const Value stored = convertForColumn(value, kinds_[index]);
    if (mode_ == EditMode::None) {
        mode_ = EditMode::Edit;
        pending_ = rows_[position_];
        dirty_.clear();
    }
    pending_.values[index] = stored;
    dirty_[index] = true;
}

void Recordset::AddNew()
{
    if (!isOpen()) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (!updatable_) vb::raise(3251, QStringLiteral("Current Recordset does not support updating."));
    flushEdit();
    mode_ = EditMode::Add;
    pending_ = Row{0, std::vector<Value>(names_.size(), Value::null()), false};
    dirty_.clear();
}

void Recordset::Update()
{
    if (mode_ == EditMode::None) return;
    QStringList cols;
    std::vector<Value> values;
    for (const auto& [index, _] : dirty_) {
        cols.append(QLatin1Char('[') + names_[index] + QLatin1Char(']'));
        values.push_back(pending_.values[index]);
    }
    std::optional<Statement> st;
    if (mode_ == EditMode::Add) {
        QString sql = QStringLiteral("INSERT INTO [%1] ").arg(table_);
        if (cols.isEmpty()) sql += QStringLiteral("DEFAULT VALUES");
        else sql += QLatin1Char('(') + cols.join(QLatin1Char(',')) + QStringLiteral(") VALUES (")
                    + QString(QStringLiteral("?,")).repeated(cols.size()).chopped(1) + QLatin1Char(')');
        st = connection_->prepare(sql);
    } else {
        if (cols.isEmpty()) { mode_ = EditMode::None; return; }
        st = connection_->prepare(QStringLiteral("UPDATE [%1] SET %2=? WHERE _rowid_=?")
                                      .arg(table_, cols.join(QStringLiteral("=?,"))));
    }
    st->bindAll(values);
    if (mode_ == EditMode::Edit) st->bindRowid(static_cast<int>(values.size()) + 1, pending_.rowid);
    st->run();
    if (mode_ == EditMode::Add) {
        pending_.rowid = connection_->lastInsertRowid();
        rows_.push_back(pending_);
        position_ = static_cast<int>(rows_.size()) - 1;
    } else {
        rows_[position_] = pending_;
    }
    mode_ = EditMode::None;
    dirty_.clear();
}

void Recordset::CancelUpdate()
{
    mode_ = EditMode::None;
    dirty_.clear();
}

void Recordset::Delete()
{
    if (mode_ == EditMode::Add) { CancelUpdate(); return; }
    requireCurrent();
    if (!updatable_) vb::raise(3251, QStringLiteral("Current Recordset does not support updating."));
    mode_ = EditMode::None;
    connection_->prepare(QStringLiteral("DELETE FROM [%1] WHERE _rowid_=?").arg(table_))
        .bindRowid(1, rows_[position_].rowid)
        .run();
    rows_[position_].deleted = true;  // stays current until the next move, as in the original
}

}  // namespace db
