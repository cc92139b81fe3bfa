#include "shell/ReplaceQuestion.h"

#include "platform/os/SafePath.h"
#include "platform/ui/Ui.h"

#include <QFileInfo>

bool ReplaceQuestion::mayWrite(const QString& path, bool german, const QString& title)
{
    // A link would have the file written wherever it points, a dangling one too.
    if (vb::SafePath::isLink(path)) {
        vb::MsgBox(german ? QStringLiteral("Die Datei %1 ist eine symbolische Verknüpfung und wird nicht überschrieben.").arg(path)
                          : QStringLiteral("The file %1 is a symbolic link and is not overwritten.").arg(path),
                   vb::vbExclamation | vb::vbOKOnly, title);
        return false;
    }
    if (!QFileInfo::exists(path)) return true;
    const QString question = german ? QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?").arg(path)
                                    : QStringLiteral("The file %1 already exists. Do you want to replace it?").arg(path);
    return vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2, title) == vb::vbYes;
}
