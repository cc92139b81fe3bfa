#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

// The program's document window: shows the help file (HTML under the name VELOR.HLP) and,
// on a desktop where no program opens them, the RTF documents (read-me, notes, a page's
// word-processor document) with a line that says where the file is. Escape and the button
// close it; it opens over the main window.
class frmHILFE : public QWidget {
    Q_OBJECT
public:
    // `english`: the button's caption follows the session's language.
    frmHILFE(bool english, QWidget* parent);

    // Loads the help file; links between its pages resolve in its folder.
    void showContents(const QString& helpFile, const QString& title);
    // Loads an RTF document; `note` is shown under it.
    void showDocument(const QString& rtfFile, const QString& title, const QString& note);
    // Shows the window over its parent and in front.
    void present();

    QTextBrowser* txtHILFE = nullptr;
    QLabel* lblDATEI = nullptr;
    QPushButton* cmdSCHLIESSEN = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QByteArray read(const QString& file) const;
};
