#pragma once

class ShellWindow;

// The calculation driver: the hook in which a module of the family computes the evaluation
// of the active record. This module only has to confirm that the record can be read.
class clsBERECHNEN {
public:
    explicit clsBERECHNEN(ShellWindow& shell) : shell_(shell) {}

    // True when the active record could be evaluated.
    bool BERECHNUNG();

private:
    ShellWindow& shell_;
};
