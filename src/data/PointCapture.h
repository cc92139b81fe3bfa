#pragma once

#include <functional>

// What a page needs of the capture window that works on its picture. The shell creates the
// window and binds it to the picture (ShellWindow::showCapture); the page forwards the
// picture's mouse events and closes the window before it closes itself, so neither
// outlives the other.
class PointCapture {
public:
    virtual ~PointCapture() = default;

    // The pointer moved with the left button held, in the picture's millimetres.
    virtual void MAUSKOORD(double x, double y) = 0;
    // The left button was released, in the picture's millimetres.
    virtual void KLICK(double x, double y) = 0;
    // Closes the window. Unstored points in the grid are offered for storing first
    // ("Die erfassten Punkte sind noch nicht gespeichert. Speichern?" Ja/Nein/Abbrechen);
    // false when the user chose Abbrechen and the window stays open.
    virtual bool closeCapture() = 0;

    // The page listens: the window stored into the working tables (G0, G2_1, G2_2), telling
    // whether it calibrated the diagram, and the window closed (by any way). One listener
    // each; a later call replaces the earlier one.
    void onStored(std::function<void(bool calibrated)> listener) { stored_ = std::move(listener); }
    void onClosed(std::function<void()> listener) { closed_ = std::move(listener); }

protected:
    // The capture window calls these after a successful store and from its unload.
    void notifyStored(bool calibrated) const
    {
        if (stored_) stored_(calibrated);
    }
    void notifyClosed() const
    {
        if (closed_) closed_();
    }

private:
    std::function<void(bool)> stored_;
    std::function<void()> closed_;
};
