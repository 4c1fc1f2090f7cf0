#pragma once

// A line segment in pixel space: continuous coordinates, x to the right, y downward.
struct PixelSegment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// A closed box in pixel space.
struct ClipBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Cuts the segment down to the part that lies in the box. Returns false when no part does.
// Coordinates must be finite. Each new end point is computed from the opposite end, so a
// segment from inside the box to a point 1e30 away keeps its direction to full precision.
bool clipSegmentToBox(PixelSegment& segment, const ClipBox& box);
