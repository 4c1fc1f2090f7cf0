#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

// The main window's controls as data, free of any toolkit, so that every window shell
// builds the same window from it. Positions and sizes are in twips (1/1440 inch) relative
// to the window's inner area; texts are UTF-8.

enum class ControlKind { PictureBox, CommandButton, TextBox, Label };

// The kind's name, as the table's first column gives it, for tools and the web page.
constexpr std::string_view controlKindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PictureBox:
        return "PictureBox";
    case ControlKind::CommandButton:
        return "CommandButton";
    case ControlKind::TextBox:
        return "TextBox";
    case ControlKind::Label:
        break;
    }
    return "Label";
}

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view text;  // caption or initial text; empty for the picture box
    TwipsRect twips;
    int tabIndex;           // the order of the focus among the controls that take it
    std::string_view captionedField = {};  // for a label: the name of the field it captions
};

constexpr std::string_view kForm1Caption = "Form1";
constexpr int kForm1InnerWidthTwips = 11985;
constexpr int kForm1InnerHeightTwips = 6900;

constexpr std::array<ControlRow, 7> kForm1Controls{{
    {"Picture1", ControlKind::PictureBox, "", {240, 120, 8655, 6255}, 0},
    {"Command1", ControlKind::CommandButton, "描画", {9600, 120, 1095, 375}, 1},
    {"Text1", ControlKind::TextBox, "60", {10200, 600, 615, 375}, 2},
    {"Label1", ControlKind::Label, "形式1最大値", {9120, 720, 1095, 255}, 3, "Text1"},
    {"Text2", ControlKind::TextBox, "90", {10200, 1080, 615, 375}, 4},
    {"Label2", ControlKind::Label, "表示最大値", {9120, 1200, 1095, 255}, 5, "Text2"},
    {"Command3", ControlKind::CommandButton, "描画中止", {9480, 2760, 1215, 375}, 6},
}};

consteval const ControlRow& controlNamed(std::string_view name)
{
    for (const ControlRow& control : kForm1Controls)
        if (control.name == name)
            return control;
    throw "no control of that name";  // a compile error: the function runs only while compiling
}

// Buttons and text fields take the keyboard focus; labels never do, and the picture has no
// use for the keyboard.
constexpr bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::CommandButton || kind == ControlKind::TextBox;
}

template <std::size_t N>
using ControlOrder = std::array<const ControlRow*, N>;

// The table's rows by TabIndex.
template <std::size_t N>
constexpr ControlOrder<N> byTabIndex(const std::array<ControlRow, N>& table)
{
    ControlOrder<N> order{};
    for (std::size_t i = 0; i < N; ++i)
        order[i] = &table[i];
    std::ranges::sort(order, {}, &ControlRow::tabIndex);
    return order;
}

// The order in which Tab moves the focus: the controls that take it, by TabIndex. The first
// has the focus when the window opens.
template <std::size_t N>
constexpr std::vector<const ControlRow*> focusOrder(const std::array<ControlRow, N>& table)
{
    std::vector<const ControlRow*> order;
    for (const ControlRow* row : byTabIndex(table))
        if (takesFocus(row->kind))
            order.push_back(row);
    return order;
}

// The order in which a shell creates the controls: by TabIndex, but with each label just
// before the field it captions. Later controls lie above earlier ones, so each field stays
// whole above the label that overlaps it by a pixel; a screen reader, which walks the
// controls in this order, meets a field's caption before the field; and where the window
// system moves the focus in creation order (Win32's dialog keys), that is the TabIndex order.
template <std::size_t N>
constexpr ControlOrder<N> creationOrder(const std::array<ControlRow, N>& table)
{
    ControlOrder<N> order{};
    std::size_t next = 0;
    for (const ControlRow* row : byTabIndex(table)) {
        if (!row->captionedField.empty())
            continue;
        for (const ControlRow& label : table)
            if (label.captionedField == row->name)
                order[next++] = &label;
        order[next++] = row;
    }
    if (next != order.size())
        throw "a label captions no field";  // a compile error where the table is a constant
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
