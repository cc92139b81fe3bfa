#pragma once

#include <QString>

namespace db {

// A text literal for composed SQL: between single quotes, every quote inside doubled, so
// that a name such as "Messung 5'" is stored and found instead of breaking the statement.
QString quoted(const QString& text);

}  // namespace db
