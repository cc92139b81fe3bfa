#include "shell/ReplaceQuestion.h"

#include "platform/ui/Ui.h"

#include <QFileInfo>

bool ReplaceQuestion::mayWrite(const QString& path, bool german, const QString& title)
{
    if (!QFileInfo::exists(path)) return true;
    const QString question = german ? QStringLiteral("Die Datei %1 existiert bereits. Soll sie ersetzt werden?").arg(path)
                                    : QStringLiteral("The file %1 already exists. Do you want to replace it?").arg(path);
    return vb::MsgBox(question, vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2, title) == vb::vbYes;
}
