#pragma once

#include "data/SessionContext.h"
#include "data/ShellWindow.h"

#include <QString>
#include <QStringList>

// The main window as the windows of the upper layers see it: the session on a real working
// copy, the tag, and a log of the calls they make back.
class FakeShell : public ShellWindow {
public:
    SessionContext& session() override { return session_; }
    QString Tag() const override { return tag; }
    void setTag(const QString& t) override { tag = t; }
    void SATZANZEIGE() override;
    void mnuBEENDEN_Click() override;
    void mnuHILFE_Click() override;
    void stbMAIN_PanelClick(int panel) override;
    QWidget* activeChild() const override { return nullptr; }
    QProgressBar* progressBar() const override { return nullptr; }

    SessionContext session_;
    QString tag;
    QStringList calls;
};
