#pragma once

#include <QString>
#include <cstdint>

// The maker's address block, in the session's language (1 English, 3 German).
class clsADRESSE {
public:
    explicit clsADRESSE(int16_t sprache) : english_(sprache == 1) {}

    QString FIRMA1() const;
    QString FIRMA2() const;
    QString PLZ() const;
    QString STR() const;
    QString VORSITZ() const;
    QString TEL() const;
    QString FAX() const;
    QString EMAIL() const;
    QString URL() const;

    // The lines both the start screen and the about box show: name lines, town and street,
    // head, and one contact line.
    QString headLine() const;
    QString contactLine() const;
    QString faxLine() const;

private:
    bool english_;
};
