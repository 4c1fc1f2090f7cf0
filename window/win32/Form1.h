#pragma once

#include "figure/MainWindowState.h"
#include "window/win32/BaseWindow.h"
#include "window/win32/JapaneseFont.h"
#include "window/win32/PictureBox.h"

#include <memory>
#include <string>
#include <vector>

// The program's only window: the drawing area on the left, the draw button, two captioned
// text fields and the stop button on the right, at fixed places scaled from twips by the
// window's resolution. It owns the state the figure works on.
class Form1 final : public BaseWindow<Form1> {
public:
    // Creates and shows the window at the window system's default place.
    explicit Form1(int showCommand);

    // "描画": draws the figure and returns when it is complete. Input waits meanwhile.
    void Command1_Click();
    // "描画中止": asks the drawing to stop.
    void Command3_Click();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Control {
        const struct ControlSpec* row;
        HWND hwnd;
    };

    void OnCreate();
    void OnCommand(int id, int notification);
    void OnDpiChanged(UINT dotsPerInch, const RECT& suggested);
    void layOut();
    RECT pixelRect(const struct TwipsRect& twips) const;

    MainWindowState state_;
    UINT dotsPerInch_ = 96;
    std::wstring face_;
    UniqueFont font_;
    std::unique_ptr<PictureBox> Picture1;
    std::vector<Control> controls_;
};
