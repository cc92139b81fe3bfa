#pragma once

#include <QFrame>
#include <QList>

class QLabel;

namespace vb {

// The status bar with clickable panels (1-based, as the original numbered them). Panels
// keep their text, tooltip, visibility and bevel; a mouse-down on a panel emits panelPressed, the click panelClicked.
class PanelBar : public QFrame {
    Q_OBJECT
public:
    enum class Bevel { Sunken, Raised, None };

    explicit PanelBar(int panels, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int panel) const;
    void setText(int panel, const QString& text);
    QString toolTip(int panel) const;
    void setToolTip(int panel, const QString& tip);
    bool isPanelVisible(int panel) const;
    void setPanelVisible(int panel, bool visible);
    Bevel bevel(int panel) const;
    void setBevel(int panel, Bevel bevel);
    // The panel that takes the free width.
    void setSpring(int panel);
    QLabel* label(int panel) const;

signals:
    void panelPressed(int panel);
    void panelClicked(int panel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLabel*> panels_;
};

}  // namespace vb
