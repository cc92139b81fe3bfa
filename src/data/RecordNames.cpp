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

namespace {

// The rules of the session's language, not the system's locale: under C.UTF-8 the system puts
// "Öl" after "Zebra".
QCollator collatorFor(int16_t sprache)
{
    QCollator collator{sprache == 1 ? QLocale(QLocale::English, QLocale::UnitedKingdom) : QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

}  // namespace

std::vector<size_t> RecordNames::order(const QStringList& names, int16_t sprache)
{
    std::vector<size_t> indexes(static_cast<size_t>(names.size()));
    for (size_t i = 0; i < indexes.size(); ++i) indexes[i] = i;
    const QCollator collator = collatorFor(sprache);
    std::stable_sort(indexes.begin(), indexes.end(), [&](size_t a, size_t b) {
        return collator.compare(names[static_cast<qsizetype>(a)], names[static_cast<qsizetype>(b)]) < 0;
    });
    return indexes;
}

std::vector<int> RecordNames::order(db::Recordset& rs, const QString& nameField, int16_t sprache)
{
    std::vector<int> positions;
    QStringList names;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        positions.push_back(rs.AbsolutePosition());
        names.append(vb::toText(rs.field(nameField)));
    }
    std::vector<int> ordered;
    ordered.reserve(positions.size());
    for (const size_t i : order(names, sprache)) ordered.push_back(positions[i]);
    return ordered;
}

std::optional<int32_t> RecordNames::find(db::Connection& cn, const QString& name)
{
    db::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1]"), cn);
    for (; !rs.IsEOF(); rs.MoveNext())
        if (same(vb::toText(rs.field(1)), name)) return vb::CLng(rs.field(0));
    return std::nullopt;
}
