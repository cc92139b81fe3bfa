#include "shell/MainCommands.h"

#include "shell/frmMAIN.h"

#include <QAction>

QString MainCommands::caption(const char* menuName) const { return main_.menu(QString::fromLatin1(menuName))->text(); }
