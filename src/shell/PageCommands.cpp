#include "shell/PageCommands.h"

#include "pages/PageWindow.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/PanelBar.h"
#include "shell/frmMAIN.h"
#include "startscreen/mdiAUTOSTART.h"

#include <QMdiArea>
#include <QMdiSubWindow>

bool PageCommands::SCHLIESSEN()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), main_.stbMAIN()->text(15));
    bool closed = true;
    p.step([&] { vb::Ui::instance().SetPointer(vb::Pointer::Hourglass); });
    p.step([&] {
        for (QMdiSubWindow* frame : main_.mdiArea()->subWindowList()) {
            if (frame->widget() == main_.startScreen()) continue;
            if (auto* page = qobject_cast<PageWindow*>(frame->widget())) {
                if (!page->closePage()) {
                    closed = false;
                    return;
                }
            } else {
                frame->close();
            }
        }
    });
    p.step([&] { main_.updateMenus(); });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    return closed && !p.cancelled();
}
