#pragma once

#include "window/Form1Commands.h"
#include "window/win32/BaseWindow.h"
#include "window/win32/JapaneseFont.h"
#include "window/win32/PictureBox.h"

#include <memory>
#include <string>
#include <vector>

// The program's only window, its controls at fixed places scaled from twips by the window's
// resolution. What its buttons do is Form1Commands'; this builds the controls, turns
// Windows' messages into those commands and does for them what only Windows can.
//
// It is no dialog, but its message loop hands keys to IsDialogMessageW; it does the rest of
// what the dialog manager does for a dialog: the default push button follows the focus, so
// that Enter presses the focused button, and the focus is kept while the window is inactive.
class Form1 final : public BaseWindow<Form1> {
public:
    // Creates and shows the window at the window system's default place.
    explicit Form1(int showCommand);
    ~Form1() { destroyWindow(); }
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // "描画": draws the figure and returns when it is complete. Input waits meanwhile.
    void Command1_Click();
    // "描画中止": asks the drawing to stop.
    void Command3_Click();

    const MainWindowState& state() const { return commands_.state(); }
    const PictureBox& picture() const { return *Picture1; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Control {
        const ControlRow* row;
        HWND hwnd;
    };

    Form1Commands::Shell shell();
    void OnCreate();
    void OnCommand(int id, int notification, HWND control);
    void restoreFocus();
    HWND firstFocus() const;
    void OnDpiChanged(UINT dotsPerInch, const RECT& suggested);
    LRESULT defaultButtonId() const;
    void layOut(HFONT font);
    RECT pixelRect(const TwipsRect& twips) const;

    Form1Commands commands_;
    UINT dotsPerInch_ = USER_DEFAULT_SCREEN_DPI;
    std::wstring face_;
    UniqueFont font_;
    std::unique_ptr<PictureBox> Picture1;
    std::vector<Control> controls_;  // in creation order: each label just before its field
    HWND lastFocus_ = nullptr;  // the control that last gained the focus
};
