#include "grid/ImportSettings.h"

#include "data/SessionContext.h"
#include "data/clsDATEN.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <functional>

using vb::Value;

namespace {

// The configuration's fields may be NULL (an empty text is stored as NULL), so they are read
// as untyped values: Empty stands for a NULL field and for a missing row alike.
bool readValue(clsDATEN& dat, const QString& column, Value& value, const IndexPairs& idx = {})
{
    value = Value();
    return dat.DTVV(column, value, idx);
}

bool readText(clsDATEN& dat, const QString& column, QString& text, const IndexPairs& idx = {})
{
    Value v;
    if (!readValue(dat, column, v, idx)) return false;
    text = vb::toText(v);
    return true;
}

QString translated(QString separator)
{
    separator.replace(QLatin1String("<BLANK>"), QLatin1String(" "));
    separator.replace(QLatin1String("<TAB>"), QLatin1String("\t"));
    return separator;
}

}  // namespace

ImportSettings::Outcome ImportSettings::read(SessionContext& session, const QString& AKVK)
{
    clsDATEN dat(session);
    dat.EBOV(true);
    dat.ETABELLE(SessionContext::title() + QStringLiteral("_VE1"));
    dat.ESPID(QString());
    dat.ESPK1(QStringLiteral("AKVK"));
    dat.ESPK1W(AKVK);
    Value idk;
    if (!readValue(dat, QStringLiteral("IDK"), idk)) return Outcome::Failed;
    if (idk.isEmpty()) return Outcome::Missing;
    IDK = vb::CLng(idk);

    dat.ESPK1(QString());
    dat.ESPK1W(QString());
    dat.ESPID(QStringLiteral("IDK"));
    dat.ESPIDW(IDK);
    Value zl;
    if (!readValue(dat, QStringLiteral("ZL"), zl)) return Outcome::Failed;
    ZL = zl.isEmpty() ? int16_t(0) : vb::CInt(zl);
    const std::pair<const char*, QString*> texts[] = {{"DATUM", &DATUM}, {"UHRZEIT", &UHRZEIT}, {"KENZ1NR", &KENZ1NR},
                                                      {"KENZ1KZ", &KENZ1KZ}, {"TZS", &TZS}, {"TZZ", &TZZ}};
    for (const auto& [column, text] : texts)
        if (!readText(dat, QString::fromLatin1(column), *text)) return Outcome::Failed;

    dat.ETABELLE(SessionContext::title() + QStringLiteral("_VE2"));
    int16_t first = 0, last = 0, count = 0;
    dat.INDEX(first, last, count, IndexPairs(QStringLiteral("MNR")));
    if (count == 0) return Outcome::Read;
    for (int mnr = first; mnr <= last; ++mnr) {
        const IndexPairs at(QStringLiteral("MNR"), Value(static_cast<int16_t>(mnr)));
        ImportValue v;
        v.MNR = static_cast<int16_t>(mnr);
        Value position, factor;
        if (!readText(dat, QStringLiteral("SPALTE"), v.SPALTE, at) || !readValue(dat, QStringLiteral("POSITION"), position, at)
            || !readText(dat, QStringLiteral("PRAEFIX"), v.PRAEFIX, at) || !readText(dat, QStringLiteral("SUFFIX"), v.SUFFIX, at)
            || !readValue(dat, QStringLiteral("FAKTOR"), factor, at) || !readText(dat, QStringLiteral("FORMAT"), v.FORMAT, at))
            return Outcome::Failed;
        if (!position.isEmpty()) v.POSITION = vb::CInt(position);
        if (!factor.isEmpty()) v.FAKTOR = vb::CSng(factor);
        values.push_back(v);
    }
    return Outcome::Read;
}

void ImportSettings::translateSeparators()
{
    TZS = translated(TZS);
    TZZ = translated(TZZ);
}

std::optional<int> ImportSettings::skipCount() const
{
    if (KENZ1NR.trimmed().isEmpty()) return std::nullopt;
    const std::optional<double> n = vb::parseNumber(KENZ1NR);
    if (!n) vb::raise(vb::errTypeMismatch);
    return std::max(0, static_cast<int>(vb::CLng(Value(*n))));
}
