#include "platform/vb/VbError.h"

#include "platform/vb/VbLocale.h"

#include <QDir>

namespace vb {

VbError::VbError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

QString standardDescription(int number)
{
    switch (number) {
    case errInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case errOverflow: return QStringLiteral("Overflow");
    case errSubscript: return QStringLiteral("Subscript out of range");
    case errDivisionByZero: return QStringLiteral("Division by zero");
    case errTypeMismatch: return QStringLiteral("Type mismatch");
    case errFileNotFound: return QStringLiteral("File not found");
    case errPermissionDenied: return QStringLiteral("Permission denied");
    case errDiskFull: return QStringLiteral("Disk full");
    case errPathAccess: return QStringLiteral("Path/File access error");
    case errObjectNotSet: return QStringLiteral("Object variable or With block variable not set");
    case errInvalidNull: return QStringLiteral("Invalid use of Null");
    case errInvalidProperty: return QStringLiteral("Invalid property value");
    case errNoCurrentRecord:
        return QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                              "Requested operation requires a current record.");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

void raise(int number) { throw VbError(number, standardDescription(number)); }

void raise(int number, const QString& description) { throw VbError(number, description); }

void raiseDiskFull(const QString& folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    raise(errDiskFull, VbLocale::english()
                           ? QStringLiteral("The disk is full: there is no room left in the folder %1. "
                                            "Please free some space and try again.").arg(shown)
                           : QStringLiteral("Der Datenträger ist voll: Im Ordner %1 ist kein Platz mehr frei. "
                                            "Bitte schaffen Sie Platz und versuchen Sie es noch einmal.").arg(shown));
}

}  // namespace vb
