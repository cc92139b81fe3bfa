#pragma once

#include "platform/db/SqliteHandles.h"
#include "platform/vb/Value.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace db {

class StatementCache;

// One prepared statement, owned by whoever holds it: it binds, steps and reads its columns
// itself, and goes back to its connection's cache when the holder is done (or is finalized
// when the connection has closed meanwhile). Nothing above this layer sees the engine.
//
//     db::Statement st = cn.prepare("SELECT [PX],[PY] FROM [E3] WHERE [ID]=?");
//     st.bind(1, id);
//     while (st.next()) use(st.real(0), st.real(1));
class Statement {
public:
    enum class Type { Integer, Real, Text, Blob, Null };

    Statement() = default;
    Statement(Statement&&) noexcept = default;
    Statement& operator=(Statement&& other) noexcept;
    ~Statement();

    // Binds a value to parameter `index` (from 1) in the column type it carries.
    Statement& bind(int index, const vb::Value& value);
    Statement& bindAll(const std::vector<vb::Value>& values);
    // A row's number, wider than any value the columns hold.
    Statement& bindRowid(int index, long long rowid);

    // Steps once: true with a row to read, false when the statement has run through. A
    // failure raises the engine's error; the statement is then ready to run again.
    bool next();
    // Steps a writing statement through and makes it ready for its next bindings.
    void run();
    // Starts over, keeping the bindings.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    Type type(int column) const;
    bool isNull(int column) const { return type(column) == Type::Null; }
    int64_t integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    friend class Connection;
    Statement(StatementHandle handle, std::string sql, std::weak_ptr<StatementCache> home);
    [[noreturn]] void fail();

    StatementHandle handle_;
    std::string sql_;
    std::weak_ptr<StatementCache> home_;
};

}  // namespace db
