#pragma once

#include <QString>

// The line under the capture window's options that says what to do next: choose a picture,
// click the first corner, the second corner, then along the curves.
class CaptureSteps {
public:
    struct State {
        bool picture = false;
        // The chosen option of the capture window (-1: none).
        int option = -1;
        bool xmaxYmin = false;
        bool xminYmax = false;
    };

    static QString next(const State& state, bool english);
};
