#pragma once

#include "platform/vb/Value.h"

#include <QString>
#include <vector>

namespace db {

// A composed statement with the literal values of its WHERE clause lifted out into
// parameters. The data layer composes a new text for every record and index value; lifted
// out, those texts share one prepared statement, and a value can never change the statement.
struct ParameterizedSql {
    QString sql;
    std::vector<vb::Value> parameters;

    static ParameterizedSql from(const QString& composed);
};

}  // namespace db
