#pragma once

#include "shell/MainCommands.h"

#include <QString>
#include <functional>

class PageWindow;
class ShellWindow;
class frmMAIN;

// The "Auswerten" menu: its enabling when it opens, Eingabegrafik (the input page) and
// Berechnen/Neuberechnen (the output page, the latter after the calculation driver).
//
// The pages come from page makers, so that the shell names no page class it does not need:
// the input page is built in; the output page is registered by the main window with
//
//     evaluation.setOutputPageMaker([](ShellWindow& shell) { return new mdiSEITE1(shell); });
//
// A maker returns a new page (not loaded, no parent); the command sizes it to the page
// area, calls its Form_Load and shows it maximized in a frameless sub-window.
class EvaluationCommands : MainCommands {
public:
    using PageMaker = std::function<PageWindow*(ShellWindow&)>;

    explicit EvaluationCommands(frmMAIN& main);

    // Opening the menu: which entries it offers for the active records.
    void AUSWERTEN();
    void EINGABEGRAFIK();
    void BERECHNEN();
    void NEUBERECHNEN();
    // "Punkte exportieren …": the active record's points into a CSV file.
    void PUNKTEXPORT();

    void setOutputPageMaker(PageMaker maker) { outputPage_ = std::move(maker); }
    // The evaluation Neuberechnen runs: the driver clsBERECHNEN unless another is set (a
    // module of the family with its own computation). False: the record could not be evaluated.
    void setCalculation(std::function<bool()> calculation) { calculation_ = std::move(calculation); }

    // The open page of that window name; null when none.
    PageWindow* openPage(const QString& name) const;

private:
    // Loads a page (the progress bar at work) and returns it still hidden; an open page of
    // that name is returned as it is. Null when there is no maker.
    PageWindow* loadPage(const QString& name, const PageMaker& maker);
    void showPage(PageWindow* page);
    // Eingabegrafik and Berechnen: load the page under the progress bar and show it; the
    // input page waits out the progress pause before it shows, the output page after.
    void showPageCommand(const char* menuName, const QString& name, const PageMaker& maker, bool pauseBeforeShowing);
    void progressPause();
    void showProgress(bool visible);
    void enable(const char* menuName, bool enabled);
    // The evaluated working copy differs from the project; Datei waits until the pages close.
    void markChanged();
    // The evaluation would put the record's unfinished calibration into the diagram while the
    // input page is open: refused with a message then.
    bool refusedWhileCapturing(const char* menuName);

    PageMaker inputPage_;
    PageMaker outputPage_;
    std::function<bool()> calculation_;
};
