#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: shows the program's help file (HTML under the name VELOR.HLP).
class frmHILFE : public QWidget {
    Q_OBJECT
public:
    explicit frmHILFE(QWidget* parent = nullptr);

    // Loads the help file; links between its pages resolve in its folder.
    void showContents(const QString& helpFile, const QString& title);

    QTextBrowser* txtHILFE = nullptr;
};
