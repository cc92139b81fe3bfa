#include "platform/widgets/DialogButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vb {

DialogButtons::DialogButtons(QWidget* dialog, const QString& cancelText)
    : ok(new QPushButton(QStringLiteral("OK"), dialog)), cancel(new QPushButton(cancelText, dialog)), row(new QHBoxLayout)
{
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cmdABBRECHEN"));
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
}

}  // namespace vb
