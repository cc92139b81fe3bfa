#pragma once

#include <QString>

// The program's version record: what the status bar, the about box and the page headers
// and footers print about the program itself.
struct VersionInfo {
    static QString productName() { return QStringLiteral("VELOR Diagrammdigitalisierung"); }
    static QString productNameEnglish() { return QStringLiteral("VELOR Diagram Digitizer"); }
    static QString copyright() { return QStringLiteral("\u00A9 2002-2026 Kelmora Ingenieursoftware"); }
    static QString trademarks() { return QStringLiteral("VELOR\u00AE ist ein Modul der KELMORA-Programmfamilie"); }
    static QString trademarksEnglish() { return QStringLiteral("VELOR\u00AE is a module of the KELMORA program family"); }
    static QString releaseDate() { return QStringLiteral("April 2002"); }
    static QString version() { return QStringLiteral("1.0"); }
};
