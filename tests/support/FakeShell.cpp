#include "support/FakeShell.h"

void FakeShell::SATZANZEIGE() { calls << QStringLiteral("SATZANZEIGE"); }

void FakeShell::mnuBEENDEN_Click() { calls << QStringLiteral("mnuBEENDEN_Click"); }

void FakeShell::mnuHILFE_Click() { calls << QStringLiteral("mnuHILFE_Click"); }

void FakeShell::stbMAIN_PanelClick(int panel) { calls << QStringLiteral("stbMAIN_PanelClick(%1)").arg(panel); }

PointCapture* FakeShell::showCapture(vb::PictureBox*)
{
    calls << QStringLiteral("showCapture");
    return capture;
}

void FakeShell::setPanelEnabled(int panel, bool enabled) { calls << QStringLiteral("setPanelEnabled(%1,%2)").arg(panel).arg(enabled); }


PrinterProvider& FakeShell::printers()
{
    if (!pdf) pdf = std::make_unique<PdfPrinterProvider>(printFolder);
    return *pdf;
}
