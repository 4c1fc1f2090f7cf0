#pragma once

#include <string_view>

// What a screen reader hears of Form1 beyond its controls' captions, in every shell (UTF-8).

// The picture's name, and its description before and after a figure is drawn.
constexpr std::string_view kPictureName = "描画領域";
constexpr std::string_view kPictureEmpty = "まだ何も描かれていません";
constexpr std::string_view kPictureDrawn = "二つのドラゴン曲線が描かれています";

// Said when a drawing ends, wherever the focus is.
constexpr std::string_view kDrawingDoneNews = "描画が終わりました";
