#pragma once

#include <functional>

// Which sides of a two-sided form (the money order, the deposit form) a print
// takes, as the side dialog gives them.
struct TSideChoice {
    bool front = true;
    bool back = true;
    // Asked between the two jobs of a both-sides print, once the front's job
    // has ended: whether the user turned the sheet and wants the back (OK).
    std::function<bool()> turnedSheet;

    // Whether the back follows, asked once the front is printed: after the
    // front only when the user says the sheet is turned; without a question to
    // ask, nobody said so.
    bool BackFollows() const { return front ? back && turnedSheet && turnedSheet() : back; }
};
