#include "data/RecordNames.h"

#include "platform/db/Recordset.h"
#include "platform/vb/Convert.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

bool RecordNames::same(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

std::vector<int> RecordNames::order(db::Recordset& rs, const QString& nameField)
{
    struct Row {
        int position;
        QString name;
    };
    std::vector<Row> rows;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) rows.push_back({rs.AbsolutePosition(), vb::toText(rs.field(nameField))});
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) { return collator.compare(a.name, b.name) < 0; });
    std::vector<int> positions;
    positions.reserve(rows.size());
    for (const Row& r : rows) positions.push_back(r.position);
    return positions;
}

std::optional<int32_t> RecordNames::find(db::Connection& cn, const QString& name)
{
    db::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1]"), cn);
    for (; !rs.IsEOF(); rs.MoveNext())
        if (same(vb::toText(rs.field(1)), name)) return vb::CLng(rs.field(0));
    return std::nullopt;
}
