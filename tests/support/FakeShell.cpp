#include "support/FakeShell.h"

void FakeShell::SATZANZEIGE() { calls << QStringLiteral("SATZANZEIGE"); }

void FakeShell::mnuBEENDEN_Click() { calls << QStringLiteral("mnuBEENDEN_Click"); }

void FakeShell::mnuHILFE_Click() { calls << QStringLiteral("mnuHILFE_Click"); }

void FakeShell::stbMAIN_PanelClick(int panel) { calls << QStringLiteral("stbMAIN_PanelClick(%1)").arg(panel); }
