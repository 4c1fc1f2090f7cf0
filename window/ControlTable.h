#pragma once

#include <array>
#include <string_view>

// The main window's controls as data, free of any toolkit, so that every window shell
// builds the same window from it. Positions and sizes are in twips (1/1440 inch) relative
// to the window's inner area; texts are UTF-8.

enum class ControlKind { PictureBox, CommandButton, TextBox, Label };

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view text;  // caption or initial text; empty for the picture box
    TwipsRect twips;
    int tabIndex;           // focus order among the controls that can take the focus
    std::string_view labels = {};  // for a label: the name of the field it captions
};

constexpr std::string_view kForm1Caption = "Form1";
// What a screen reader says when a drawing ends, wherever the focus is.
constexpr std::string_view kDrawingDoneNews = "描画が終わりました";
constexpr int kForm1InnerWidthTwips = 11985;
constexpr int kForm1InnerHeightTwips = 6900;

constexpr std::array<ControlSpec, 7> kForm1Controls{{
    {"Picture1", ControlKind::PictureBox, "", {240, 120, 8655, 6255}, 0},
    {"Command1", ControlKind::CommandButton, "描画", {9600, 120, 1095, 375}, 1},
    {"Text1", ControlKind::TextBox, "60", {10200, 600, 615, 375}, 2},
    {"Label1", ControlKind::Label, "形式1最大値", {9120, 720, 1095, 255}, 3, "Text1"},
    {"Text2", ControlKind::TextBox, "90", {10200, 1080, 615, 375}, 4},
    {"Label2", ControlKind::Label, "表示最大値", {9120, 1200, 1095, 255}, 5, "Text2"},
    {"Command3", ControlKind::CommandButton, "描画中止", {9480, 2760, 1215, 375}, 6},
}};

consteval const ControlSpec& controlNamed(std::string_view name)
{
    for (const ControlSpec& control : kForm1Controls)
        if (control.name == name)
            return control;
    throw "no control of that name";  // a compile error: the function runs only while compiling
}

// The order in which a shell creates the controls: the table's, but with each label just
// before the field it captions. Later controls lie above earlier ones, so each field stays
// whole above the label that overlaps it by a pixel, and a screen reader, which walks the
// controls in this order, meets a field's caption before the field.
consteval std::array<const ControlSpec*, kForm1Controls.size()> creationOrder()
{
    std::array<const ControlSpec*, kForm1Controls.size()> order{};
    std::size_t next = 0;
    for (const ControlSpec& row : kForm1Controls) {
        if (!row.labels.empty())
            continue;
        for (const ControlSpec& label : kForm1Controls)
            if (label.labels == row.name)
                order[next++] = &label;
        order[next++] = &row;
    }
    if (next != order.size())
        throw "a label captions no field";  // a compile error, as in controlNamed
    return order;
}

// 1440 twips make an inch; at 96 dots per inch that is 15 twips a pixel.
constexpr int kTwipsPerInch = 1440;
constexpr int kBaseDpi = 96;

// Rounds to the nearest pixel at the given resolution.
constexpr int twipsToPixels(int twips, int dotsPerInch = kBaseDpi)
{
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

// A control's place in the inner area's pixels.
struct PixelPlacement {
    int left;
    int top;
    int width;
    int height;
};

constexpr PixelPlacement toPixels(const TwipsRect& twips, int dotsPerInch = kBaseDpi)
{
    return {twipsToPixels(twips.left, dotsPerInch), twipsToPixels(twips.top, dotsPerInch),
            twipsToPixels(twips.width, dotsPerInch), twipsToPixels(twips.height, dotsPerInch)};
}

// Buttons and text fields take the keyboard focus; labels never do, and the picture has no
// use for the keyboard.
constexpr bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::CommandButton || kind == ControlKind::TextBox;
}
