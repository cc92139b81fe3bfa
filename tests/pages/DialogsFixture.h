#pragma once

#include "PagesFixture.h"

#include "pages/PageWindow.h"
#include "support/FakeShell.h"

#include <QList>

// The main window as the page dialogs see it, on the fixture's session.
class PageShell : public FakeShell {
public:
    explicit PageShell(SessionContext& session) : session__(session) {}
    SessionContext& session() override { return session__; }

private:
    SessionContext& session__;
};

// A page that records what the page dialog asks of it and keeps the state it was given.
class FakePage : public PageWindow {
public:
    struct Call {
        bool header, number;
        vb::OleColor page, picture;
        bool operator==(const Call&) const = default;
    };

    FakePage(ShellWindow& shell, const QString& name, QWidget* parent = nullptr) : PageWindow(shell, name, parent)
    {
        BackColor(vb::RGB(250, 240, 230));
        auto* picture = new vb::PictureBox(this);
        picture->BackColor(vb::RGB(200, 210, 220));
    }

    void Form_Load() override {}
    void reload() override {}
    void BILD11(const DrawTarget&) override {}
    void DRUCKEN() override {}
    void KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC) override
    {
        calls.append({HBOKF, HBOKFS, FARBEMDI, FARBEPIC});
        headerShown_ = HBOKF;
        pageNumberShown_ = HBOKFS;
    }

    QList<Call> calls;
};

// Record 7 with a page of its own, as the page dialogs are opened on.
class DialogsFixture : public PagesFixture {
protected:
    static constexpr vb::OleColor kPageColour = vb::RGB(250, 240, 230);
    static constexpr vb::OleColor kPictureColour = vb::RGB(200, 210, 220);

    PageShell shell{session};
    FakePage page{shell, QStringLiteral("mdiESEITE1")};
};
