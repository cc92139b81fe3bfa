#include "platform/widgets/PanelBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace vb {

PanelBar::PanelBar(int panels, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("stbMAIN"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    for (int i = 0; i < panels; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("panel%1").arg(i + 1));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMargin(2);
        l->installEventFilter(this);
        layout->addWidget(l);
        panels_.append(l);
    }
}

QLabel* PanelBar::label(int panel) const { return panels_.at(panel - 1); }

QString PanelBar::text(int panel) const { return label(panel)->text(); }

void PanelBar::setText(int panel, const QString& text) { label(panel)->setText(text); }

QString PanelBar::toolTip(int panel) const { return label(panel)->toolTip(); }

void PanelBar::setToolTip(int panel, const QString& tip) { label(panel)->setToolTip(tip); }

bool PanelBar::isPanelVisible(int panel) const { return !label(panel)->isHidden(); }

void PanelBar::setPanelVisible(int panel, bool visible) { label(panel)->setVisible(visible); }

PanelBar::Bevel PanelBar::bevel(int panel) const
{
    const int shadow = label(panel)->frameShadow();
    if (label(panel)->frameShape() == QFrame::NoFrame) return Bevel::None;
    return shadow == QFrame::Raised ? Bevel::Raised : Bevel::Sunken;
}

void PanelBar::setBevel(int panel, Bevel bevel)
{
    QLabel* l = label(panel);
    switch (bevel) {
    case Bevel::None: l->setFrameStyle(QFrame::NoFrame); break;
    case Bevel::Raised: l->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case Bevel::Sunken: l->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    }
}

void PanelBar::setSpring(int panel)
{
    auto* layout = static_cast<QHBoxLayout*>(this->layout());
    for (int i = 0; i < panels_.size(); ++i) layout->setStretch(i, i + 1 == panel ? 1 : 0);
}

bool PanelBar::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress, release = event->type() == QEvent::MouseButtonRelease;
    if ((press || release) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int index = static_cast<int>(panels_.indexOf(static_cast<QLabel*>(watched)));
        if (index >= 0 && press) emit panelPressed(index + 1);
        if (index >= 0 && release) emit panelClicked(index + 1);
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace vb
