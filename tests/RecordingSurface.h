#pragma once

#include "surface/DrawingSurface.h"

#include <string>
#include <vector>

// A surface that only writes down what is asked of it, so tests can read a drawing as data.
class RecordingSurface final : public DrawingSurface {
public:
    struct Segment {
        float x1, y1, x2, y2;
        RgbColor color;
        bool operator==(const Segment&) const = default;
    };

    // Every call in order, by name, with Line calls folded into one "Line" entry per run.
    std::vector<std::string> calls;
    std::vector<Segment> segments;
    // For each Refresh, how many segments had been drawn before it.
    std::vector<std::size_t> refreshedAfter;
    float scaleLeft = 0, scaleTop = 0, scaleWidth = 0, scaleHeight = 0;
    RgbColor backColor = -1;
    int drawWidth = 0;

    void SetScaleLeft(float v) override { scaleLeft = v; note("ScaleLeft"); }
    void SetScaleTop(float v) override { scaleTop = v; note("ScaleTop"); }
    void SetScaleWidth(float v) override { scaleWidth = v; note("ScaleWidth"); }
    void SetScaleHeight(float v) override { scaleHeight = v; note("ScaleHeight"); }
    void SetBackColor(RgbColor c) override { backColor = c; note("BackColor"); }
    void Cls() override { note("Cls"); }
    void SetDrawWidth(std::int16_t w) override { drawWidth = w; note("DrawWidth"); }
    void Line(float x1, float y1, float x2, float y2, RgbColor c) override
    {
        segments.push_back({x1, y1, x2, y2, c});
        if (calls.empty() || calls.back() != "Line")
            note("Line");
    }
    void Refresh() override
    {
        refreshedAfter.push_back(segments.size());
        note("Refresh");
    }

private:
    void note(const char* name) { calls.emplace_back(name); }
};
