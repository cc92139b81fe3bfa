#include "startscreen/clsADRESSE.h"

QString clsADRESSE::FIRMA1() const { return QStringLiteral("Kelmora Ingenieursoftware"); }

QString clsADRESSE::FIRMA2() const
{
    return english_ ? QStringLiteral("Software for Geotechnical and Structural Engineering")
                    : QStringLiteral("Software für Grundbau und Statik");
}

QString clsADRESSE::PLZ() const { return english_ ? QStringLiteral("D-70173 Stuttgart") : QStringLiteral("70173 Stuttgart"); }

QString clsADRESSE::STR() const { return QStringLiteral("Lautenschlagerstraße 21"); }

QString clsADRESSE::VORSITZ() const { return QStringLiteral("Dr.-Ing. Helene Marquardt"); }

QString clsADRESSE::TEL() const { return english_ ? QStringLiteral("+49 711 2984-0") : QStringLiteral("0711 2984-0"); }

QString clsADRESSE::FAX() const { return english_ ? QStringLiteral("+49 711 2984-99") : QStringLiteral("0711 2984-99"); }

QString clsADRESSE::EMAIL() const { return QStringLiteral("info@kelmora.example"); }

QString clsADRESSE::URL() const { return QStringLiteral("www.kelmora.example"); }

QString clsADRESSE::headLine() const
{
    return (english_ ? QStringLiteral("Head of Found.: ") : QStringLiteral("Vorsitzender: ")) + VORSITZ();
}

QString clsADRESSE::contactLine() const
{
    return (english_ ? QStringLiteral("Phone: ") : QStringLiteral("Telefon: ")) + TEL() + QStringLiteral(", ")
           + QStringLiteral("E-Mail: ") + EMAIL() + QStringLiteral(", ") + QStringLiteral("Internet: ") + URL();
}

QString clsADRESSE::faxLine() const { return QStringLiteral("Fax: ") + FAX(); }
