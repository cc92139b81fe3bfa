#include "shell/clsBERECHNEN.h"

#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "platform/ui/Procedure.h"

#include <QProgressBar>
#include <memory>

bool clsBERECHNEN::BERECHNUNG()
{
    // This driver's reports drop the blank after the colon.
    vb::Procedure p(QStringLiteral("VB-Fehler:"), QStringLiteral("Auswerten/Neuberechnen"));
    QProgressBar* progress = nullptr;
    std::unique_ptr<clsDATEN> datE1, datA1;
    p.step([&] {
        progress = shell_.progressBar();
        datE1 = std::make_unique<clsDATEN>(shell_.session());
        datE1->ETABELLE(QStringLiteral("E1"));
    });
    p.step([&] {
        datA1 = std::make_unique<clsDATEN>(shell_.session());
        datA1->ETABELLE(QStringLiteral("A1"));
    });
    p.step([&] {
        if (progress) progress->setValue(0);
    });
    bool read = false;
    p.step([&] {
        QString KEN;
        datE1->DTVT(QStringLiteral("KEN"), KEN);
        read = datE1->DTVT(QStringLiteral("KEN"), KEN);
    });
    return read && !p.cancelled();
}
