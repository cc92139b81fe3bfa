#pragma once

#include <QString>

namespace db { class SchemaCheck; }

namespace records {

// What speaks against working on a project database that comes from elsewhere (a colleague's
// folder, a copy from another installation): objects the template does not know, values no
// window writes. Empty when there is nothing; otherwise one line per kind, naming the file, in
// the session's language. Raises when the file is no database.
QString projectProblems(const db::SchemaCheck& check, const QString& database, bool english);

}  // namespace records
