#include "shell/PageCommands.h"

#include "data/PrinterProvider.h"
#include "pages/PageWindow.h"
#include "pages/frmANZEIGEN.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/PanelBar.h"
#include "shell/HelpCommands.h"
#include "shell/frmHILFE.h"
#include "shell/RtfDocument.h"
#include "shell/ScreenCopy.h"
#include "shell/frmMAIN.h"
#include "startscreen/mdiAUTOSTART.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

vb::Procedure PageCommands::procedure(int panel) const
{
    vb::Procedure p(QStringLiteral("VB-Error: "), main_.stbMAIN()->text(panel));
    p.endSilentlyOn({vb::errInvalidProperty, vb::errDialogCancelled});
    return p;
}

void PageCommands::ANZEIGEN()
{
    vb::Procedure p = procedure(10);
    p.step([&] { frmANZEIGEN::showFor(main_, &main_); });
}

void PageCommands::DRUCKEN()
{
    vb::Procedure p = procedure(11);
    const QList<QWidget*> pages = main_.pageList();
    PrinterProvider& printers = main_.printers();
    bool open = false;
    p.step([&] { open = printers.begin(static_cast<int>(pages.size()), static_cast<int>(pages.indexOf(main_.activeChild())) + 1); });
    if (!open) return;  // the dialog was cancelled: nothing printed
    pointer(vb::Pointer::Hourglass);
    // Whatever the dialog reports, only pages that exist are printed.
    const int from = std::max(printers.fromPage(), 1);
    const int to = std::min(printers.toPage(), static_cast<int>(pages.size()));
    for (int n = from; n <= to && !p.cancelled(); ++n)
        p.step([&] {
            if (auto* page = qobject_cast<PageWindow*>(pages[n - 1])) page->DRUCKEN();
        });
    if (printers.isOpen()) {
        if (p.cancelled()) printers.abort();
        else p.step([&] { printers.end(); });
    }
    pointer(vb::Pointer::Default);
}

void PageCommands::KOPIE()
{
    vb::Procedure p = procedure(12);
    p.step([&] { ScreenCopy(main_.session()).run(main_.activeChild(), main_.stbMAIN()->text(6)); });
    pointer(vb::Pointer::Default);
}

void PageCommands::WORD()
{
    vb::Procedure p = procedure(13);
    QWidget* page = main_.activeChild();
    if (!page) return;
    pointer(vb::Pointer::Hourglass);
    RtfDocument document;
    p.step([&] {
        for (auto* picture : page->findChildren<vb::PictureBox*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!picture->isVisible()) continue;
            document.paragraph(picture->objectName());
            document.picture(picture->image());
        }
    });
    QString path;
    p.step([&] {
        // The word processor gets a new document of its own, as it would from automation. It
        // stays with the project beside the screen copies, named after the record, where the
        // user finds it again (a temporary folder would only collect them).
        const QString name = ScreenCopy(main_.session()).newFile(main_.stbMAIN()->text(6), QStringLiteral(".rtf"));
        if (!document.save(name)) vb::raise(vb::errPathAccess, QStringLiteral("The document %1 cannot be written.").arg(name));
        path = name;
    });
    p.step([&] {
        if (!path.isEmpty()) main_.help().showDocument(path, main_.stbMAIN()->text(13));
    });
    pointer(vb::Pointer::Default);
}

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
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    return closed && !p.cancelled();
}
