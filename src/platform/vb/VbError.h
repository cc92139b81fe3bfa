#pragma once

#include <QString>
#include <stdexcept>

namespace vb {

// A run-time error as the original language raised it: a number and a description.
// Every layer throws these; the step runner turns them into the error-report dialog.
class VbError : public std::runtime_error {
public:
    VbError(int number, const QString& description);

    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// Error numbers used across the program.
enum ErrorNumber : int {
    errInvalidCall = 5,
    errOverflow = 6,
    errSubscript = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errFileNotFound = 53,
    errPermissionDenied = 70,
    errDiskFull = 61,
    errPathAccess = 75,
    errObjectNotSet = 91,
    errInvalidNull = 94,
    errInvalidProperty = 380,
    errNoCurrentRecord = 3021,
    errDialogCancelled = 32755,
    errDatabase = -2147467259,
};

// Raises error `number` with the language's standard description.
[[noreturn]] void raise(int number);
// Raises error `number` with a description of its own.
[[noreturn]] void raise(int number, const QString& description);
QString standardDescription(int number);
// Raises the disk-full error: its description says so in the session's language and names
// the folder that has no room left, the one thing the user can act on.
[[noreturn]] void raiseDiskFull(const QString& folder);

}  // namespace vb
