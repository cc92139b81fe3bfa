#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

namespace db {

class Connection;

// A database measured against the template it should have been made from. Whatever the
// template does not know may act on its own: a trigger changes or deletes rows on every
// write, a view may never finish, a generated or virtual column computes its value on every
// read. Such a database is not worked on; its known data can be taken over into a fresh one.
class SchemaCheck {
public:
    // Text longer than this is no value any window of the program writes.
    static constexpr int kTextLimit = 65536;

    struct Column {
        QString name;
        QString type;           // as declared
        bool computed = false;  // hidden (virtual tables) or generated: no value of its own
    };

    // Reads the template's tables, their columns and its indexes.
    explicit SchemaCheck(const QString& templatePath);

    // The objects the template does not know, as "trigger NAME", "view NAME", "table NAME",
    // "index NAME" and "column TABLE.NAME" (unknown, generated or of another type); empty
    // for a database made from the template (or from an older one that lacks some tables).
    QStringList foreignObjects(Connection& database) const;
    // The known columns holding a value longer than kTextLimit, as "TABLE.COLUMN" (columns
    // the template declares BLOB excepted).
    QStringList oversizedValues(Connection& database) const;
    // Copies the rows of every known table of `source` into `target` (a database made from
    // the template), the known columns by name, values cut to kTextLimit; one transaction.
    void copyKnownData(const QString& source, Connection& target) const;

private:
    // Every known table of `database` with its known columns that hold values of their own.
    std::vector<std::pair<QString, QStringList>> knownColumns(Connection& database) const;
    bool isBlob(const QString& table, const QString& column) const;
    static const Column* find(const std::vector<Column>& columns, const QString& name);

    // Upper-case table name → its columns as the template declares them.
    std::map<QString, std::vector<Column>> tables_;
    QStringList indexes_;
};

}  // namespace db
