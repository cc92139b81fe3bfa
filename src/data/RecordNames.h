#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace db {
class Connection;
class Recordset;
}  // namespace db

// Record names as the user sees them. They are compared without regard to case for every
// letter ("Äpfel" is "äpfel"; the engine's NOCASE folds only A to Z) and without the blanks
// around them, and listed in the order of the user's language. The database files stay plain:
// the rules live here, not in a collation of the schema.
class RecordNames {
public:
    // The name a typed text is saved under.
    static QString normalized(const QString& typed) { return typed.trimmed(); }
    static bool same(const QString& a, const QString& b);

    // The row positions (for Recordset::setAbsolutePosition) of `rs` in the order of the
    // names in field `nameField` by the rules of the session's language `sprache` (1 English,
    // else German), whatever the system's locale; rows with equal names keep their order.
    static std::vector<int> order(db::Recordset& rs, const QString& nameField, int16_t sprache);
    // The indexes of `names` in their order by the same rules.
    static std::vector<size_t> order(const QStringList& names, int16_t sprache);
    // The ID of the row of E1 named `name`, if there is one.
    static std::optional<int32_t> find(db::Connection& cn, const QString& name);
};
