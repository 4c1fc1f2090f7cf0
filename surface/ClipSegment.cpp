#include "surface/ClipSegment.h"

namespace {

enum Outside : unsigned { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

unsigned outcode(double x, double y, const ClipBox& box)
{
    unsigned code = 0;
    if (x < box.left)
        code |= kLeft;
    else if (x > box.right)
        code |= kRight;
    if (y < box.top)
        code |= kAbove;
    else if (y > box.bottom)
        code |= kBelow;
    return code;
}

// Moves (x, y), which lies outside, onto the box edge named by its code, along the line
// through the opposite end (ox, oy).
void moveOntoEdge(double& x, double& y, double ox, double oy, unsigned code, const ClipBox& box)
{
    if (code & (kLeft | kRight)) {
        const double edge = (code & kLeft) ? box.left : box.right;
        y = oy + (edge - ox) * (y - oy) / (x - ox);
        x = edge;
    } else {
        const double edge = (code & kAbove) ? box.top : box.bottom;
        x = ox + (edge - oy) * (x - ox) / (y - oy);
        y = edge;
    }
}

} // namespace

bool clipSegmentToBox(PixelSegment& s, const ClipBox& box)
{
    unsigned code1 = outcode(s.x1, s.y1, box);
    unsigned code2 = outcode(s.x2, s.y2, box);
    // Each step puts one end exactly on one edge, so four steps suffice; the spare ones
    // absorb rounding at a corner. A segment still outside after them grazes a corner.
    for (int step = 0; step < 8; ++step) {
        if ((code1 | code2) == 0)
            return true;
        if (code1 & code2)
            return false;
        if (code1 != 0) {
            moveOntoEdge(s.x1, s.y1, s.x2, s.y2, code1, box);
            code1 = outcode(s.x1, s.y1, box);
        } else {
            moveOntoEdge(s.x2, s.y2, s.x1, s.y1, code2, box);
            code2 = outcode(s.x2, s.y2, box);
        }
    }
    return false;
}
