// The web page's Form1 in WebAssembly: the same commands, control table, texts and stage
// pacing as the desktop shells. The page's script (page.js) supplies the browser's half
// through the imports below and drives the exports; it builds the window from layout().

#include "surface/RetainedImage.h"
#include "window/ControlTable.h"
#include "window/Form1Commands.h"
#include "window/ScreenReaderTexts.h"
#include "window/StagePacer.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
#define MODULE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

extern "C" {
// The picture was made anew, black, at width x height device pixels: the canvas takes that
// size, and canvasPixels() holds its pixels from now on, before the picture is put on it.
PAGE_IMPORT(pictureMade) void pagePictureMade(int width, int height);
// Puts the rectangle (device pixels) of canvasPixels() on the canvas.
PAGE_IMPORT(present) void pagePresent(int left, int top, int width, int height);
PAGE_IMPORT(showBusy) void pageShowBusy(int busy);
PAGE_IMPORT(describePicture) void pageDescribePicture(const char* utf8, int length);
PAGE_IMPORT(announce) void pageAnnounce(const char* utf8, int length);
// Shows message (headline and cause) and logs line; the page takes no more input after it.
PAGE_IMPORT(fail) void pageFail(const char* message, int messageLength, const char* line, int lineLength);
// performance.now(), in milliseconds.
PAGE_IMPORT(now) double pageNow();
// Whether the page is visible, so that a stage could be seen at all.
PAGE_IMPORT(visible) int pageVisible();
// These two pause the module until the page resumes it (pausing-module.js): the next
// animation frame has been painted, 1, or deadline passed first, 0; and a plain wait.
PAGE_IMPORT(waitForFrame) int pageWaitForFrame(double deadlineMs);
PAGE_IMPORT(waitUntil) void pageWaitUntil(double dueMs);
}

namespace {

using Clock = StagePacer::Clock;

double toMilliseconds(Clock::time_point time)
{
    return std::chrono::duration<double, std::milli>(time.time_since_epoch()).count();
}

// The browser as StagePacer's screen: an animation frame is the word that a stage is shown.
// A browser gives no refresh rate, so the pacer assumes 60 Hz for its bounds.
class BrowserScreen final : public StagePacer::Screen {
public:
    Clock::time_point now() const override
    {
        return Clock::time_point(
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(pageNow())));
    }
    bool windowShown() override { return pageVisible() != 0; }
    double refreshRate() override { return 0; }
    bool reportsShown() override { return true; }
    bool waitUntilShown(Clock::time_point deadline) override { return pageWaitForFrame(toMilliseconds(deadline)) != 0; }
    void waitUntil(Clock::time_point due) override { pageWaitUntil(toMilliseconds(due)); }
};

void send(void (*to)(const char*, int), std::string_view utf8)
{
    to(utf8.data(), static_cast<int>(utf8.size()));
}

struct Page {
    BrowserScreen screen;
    StagePacer pacer{screen};
    std::unique_ptr<RetainedImage> picture;
    // What the canvas shows, as ImageData's R, G, B, A bytes, one word a pixel: the page puts
    // each changed rectangle on the canvas from the one ImageData over this.
    std::vector<std::uint32_t> canvasPixels;
    Form1Commands commands{shell()};

    Form1Commands::Shell shell()
    {
        return {
            .surface = [this]() -> DrawingSurface& { return *picture; },
            .showBusy = [](bool busy) { pageShowBusy(busy ? 1 : 0); },
            .showTheRest = [this] { present(picture->takeChangedRect()); },
            .describePicture = [](std::string_view text) { send(pageDescribePicture, text); },
            .announce = [](std::string_view news) { send(pageAnnounce, news); },
            .fail =
                [](const Failure& failure) {
                    const std::string message = failureMessage(failure);
                    const std::string line = failureLine(failure);
                    pageFail(message.data(), static_cast<int>(message.size()), line.data(),
                             static_cast<int>(line.size()));
                },
        };
    }

    // A new black picture of width x height device pixels, whole on the canvas.
    void makePicture(int width, int height)
    {
        auto image = std::make_unique<RetainedImage>(width, height);
        image->setPresenter([this](const RetainedImage&, const PixelRect& changed) {
            present(changed);
            pacer.endStage();
        });
        canvasPixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        picture = std::move(image);
        pagePictureMade(width, height);
        present({0, 0, width, height});
    }

    // The core's 0xFFRRGGBB words become ImageData's R, G, B, A bytes, which a little-endian
    // word holds as 0xAABBGGRR: red and blue change places.
    void present(const PixelRect& changed)
    {
        if (changed.isEmpty())
            return;
        // The bounds as values: stores into the pixels could otherwise be changing them, for
        // all the compiler knows, and it would not make the row's loop a vector one.
        const auto [left, top, right, bottom] = changed;
        const int stride = picture->stride();
        for (int row = top; row < bottom; ++row) {
            const std::ptrdiff_t start = static_cast<std::ptrdiff_t>(row) * stride;
            const std::uint32_t* in = picture->pixels() + start;
            std::uint32_t* out = canvasPixels.data() + start;
            for (int column = left; column < right; ++column) {
                const std::uint32_t pixel = in[column];
                out[column] = (pixel & 0xFF00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
            }
        }
        pagePresent(left, top, changed.width(), changed.height());
    }
};

Page& page()
{
    static Page thePage;
    return thePage;
}

// A JSON string: the texts here hold no quote, backslash or control character.
std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string layoutJson()
{
    std::string json = "{\"caption\":" + quoted(kForm1Caption)
                       + ",\"width\":" + std::to_string(twipsToPixels(kForm1InnerWidthTwips))
                       + ",\"height\":" + std::to_string(twipsToPixels(kForm1InnerHeightTwips))
                       + ",\"pictureName\":" + quoted(kPictureName) + ",\"pictureEmpty\":" + quoted(kPictureEmpty)
                       + ",\"controls\":[";
    bool first = true;
    for (const ControlRow* row : creationOrder(kForm1Controls)) {
        const PixelPlacement place = toPixels(row->twips);
        json += std::string(first ? "" : ",") + "{\"name\":" + quoted(row->name) + ",\"kind\":\""
                + std::string(controlKindName(row->kind)) + "\",\"text\":" + quoted(row->text) + ",\"left\":"
                + std::to_string(place.left) + ",\"top\":" + std::to_string(place.top) + ",\"width\":"
                + std::to_string(place.width) + ",\"height\":" + std::to_string(place.height)
                + ",\"tabIndex\":" + std::to_string(row->tabIndex) + ",\"captions\":" + quoted(row->captionedField)
                + "}";
        first = false;
    }
    json += "],\"focusOrder\":[";
    first = true;
    for (const ControlRow* row : focusOrder(kForm1Controls)) {
        json += std::string(first ? "" : ",") + quoted(row->name);
        first = false;
    }
    return json + "]}";
}

// Binaryen's Asyncify keeps the paused call stack here, in the module built to unwind itself:
// a static area, which the C library's allocator can never hand out. Its first two words are
// where the saved stack begins and ends.
alignas(16) std::uint8_t asyncifyData[64 * 1024];

} // namespace

// The window's layout, its texts and its focus order, as JSON (UTF-8, NUL-terminated).
MODULE_EXPORT(layout) const char* layout()
{
    static const std::string json = layoutJson();
    return json.c_str();
}

// Makes the picture black at width x height device pixels and puts it on the canvas.
MODULE_EXPORT(makePicture) void makePicture(int width, int height)
{
    page().makePicture(width, height);
}

MODULE_EXPORT(canvasPixels) const std::uint32_t* canvasPixels()
{
    return page().canvasPixels.data();
}

// "描画": may pause at every stage until the page resumes it.
MODULE_EXPORT(command1Click) void command1Click()
{
    page().commands.Command1_Click();
}

MODULE_EXPORT(command3Click) void command3Click()
{
    page().commands.Command3_Click();
}

// The canvas's device size changed (zoom, another screen): the picture is made anew at it,
// and a drawn figure drawn again. May pause as a drawing does.
MODULE_EXPORT(densityChanged) void densityChanged(int width, int height)
{
    page().commands.densityChanged([width, height] { page().makePicture(width, height); });
}

MODULE_EXPORT(asyncifyData) std::uint8_t* asyncifyDataArea()
{
    auto* words = reinterpret_cast<std::uint32_t*>(asyncifyData);
    words[0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(asyncifyData + 8));
    words[1] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(asyncifyData + sizeof asyncifyData));
    return asyncifyData;
}
