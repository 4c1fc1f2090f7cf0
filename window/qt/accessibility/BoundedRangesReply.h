#pragma once

// Lets Qt's AT-SPI bridge send its answer to a screen reader's question for the text ranges
// within a rectangle (GetBoundedRanges). The bridge answers with a list it never fills, of a
// type it never teaches D-Bus to write, so the answer was never sent and the screen reader
// waited for D-Bus's time-out. This teaches D-Bus that type, as the empty list of (start, end,
// text, value) that the bridge means. Call it before the first window is shown; safe to call
// more than once.
void letBoundedRangesReplyBeSent();
