// SPDX-License-Identifier: MIT
// BoardLayout: where the board's rows and phrase buttons sit inside the board panel, in design
// pixels (the window's layout scales them with the window).
#pragma once

namespace quibo {

struct BoardLayout {
    // Row geometry within the panel: left edge of tile n is left + step * (n - 1).
    static constexpr int myletterLeft = 10, myletterTop = 115, myletterPickedTop = 119;
    static constexpr int hisletterLeft = 11, hisletterTop = 32, hisletterPickedTop = 36;
    static constexpr int boardStep = 40;
    static constexpr int extraLeft = 70, extraTop = 173, extraPickedTop = 167, extraStep = 48;
    // Where the nine phrase buttons (25 by 19) of the panel go: button k at
    // (phraseButtonsLeft + phraseButtonStep * (k - 1), phraseButtonsTop).
    static constexpr int phraseButtonsLeft = 10, phraseButtonsTop = 238, phraseButtonStep = 28;
};

} // namespace quibo
