// Pictures of the record windows for a look by eye: written only when VELOR_SCREENSHOT_DIR
// names a folder.
#include "records/frmAUSWAHL.h"
#include "records/frmEXPIMP.h"
#include "records/FolderList.h"
#include "records/mdiEINGABE.h"
#include "shell/ShellFixture.h"

#include <QLineEdit>
#include <QListWidget>

TEST_F(ShellFixture, RecordWindowPictures)
{
    const QString folder = qEnvironmentVariable("VELOR_SCREENSHOT_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VELOR_SCREENSHOT_DIR not set";
    inst.addProject(QStringLiteral("P2"));
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (1, 'Sieblinie B3', 'Bohrung 3, 2,5 m', 1), (2, 'Proctor 1', NULL, 0)"));
    w->SATZANZEIGE();
    w->mnuNEU_Click();
    w->entryWindow()->txtKEN->setText(QStringLiteral("Sieblinie B4"));
    w->entryWindow()->txtKOM->setText(QStringLiteral("Bohrung 4"));
    vb::DoEvents();
    w->grab().save(folder + QStringLiteral("/entry-window.png"));
    w->stbMAIN_PanelClick(9);

    w->setTag(QStringLiteral("A"));
    frmAUSWAHL selection(*w, w.get());
    selection.Form_Load();
    selection.show();
    selection.grab().save(folder + QStringLiteral("/selection-dialog.png"));

    frmEXPIMP expimp(*w, w.get());
    expimp.Form_Load();
    expimp.dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    expimp.dirEXP->setPath(inst.projectsFolder());
    expimp.lstIMP->item(0)->setSelected(true);
    expimp.show();
    expimp.grab().save(folder + QStringLiteral("/export-import.png"));
}
