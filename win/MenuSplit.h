#pragma once
// How a menu level longer than the screen is shown, so that no menu window is
// taller than the screen and every entry is a few steps away. A level of up
// to `fit` entries shows whole; a longer one shows its first fit - 1 and a
// last entry that opens the rest. Such a rest of more than `fit` entries is
// held by sub-menus of OverflowGroupSize entries each (the last one fewer).
#include <cstddef>

namespace win {

// The entries that fit a menu window on a screen of this height, with
// entries of this height: at least 2, so that one can open the rest.
size_t EntriesThatFit(int screenHeight, int entryHeight);

// 1 when `count` entries fit as they are; otherwise the power of `fit` that
// makes at most `fit` sub-menus of it hold them all.
size_t OverflowGroupSize(size_t count, size_t fit);

}  // namespace win
