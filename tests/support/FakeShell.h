#pragma once

#include "data/PdfPrinterProvider.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

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
    QWidget* activeChild() const override { return active; }
    QProgressBar* progressBar() const override { return progress; }
    QString menuTag(const QString& name) const override { return menuTags.value(name); }
    void setMenuTag(const QString& name, const QString& t) override { menuTags[name] = t; }
    PointCapture* showCapture(vb::PictureBox* picture) override;
    void setPanelEnabled(int panel, bool enabled) override;
    QList<QWidget*> pageList() const override { return pages; }
    PrinterProvider& printers() override;

    SessionContext session_;
    QProgressBar* progress = nullptr;
    QHash<QString, QString> menuTags;
    // What showCapture hands out (null: no capture window).
    PointCapture* capture = nullptr;
    QList<QWidget*> pages;
    QWidget* active = nullptr;
    // Prints land as PDF files in this folder.
    QString printFolder;
    std::unique_ptr<PdfPrinterProvider> pdf;
    QString tag;
    QStringList calls;
};
