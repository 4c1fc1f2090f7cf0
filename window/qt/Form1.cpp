#include "window/qt/Form1.h"

#include "window/Commands.h"
#include "window/ControlTable.h"
#include "window/qt/AccessibleRoles.h"
#include "window/qt/Announcement.h"
#include "window/qt/DisplayConnection.h"
#include "window/qt/PictureBox.h"
#include "window/qt/TabFocusSelection.h"
#include "window/qt/WholeDeviceSize.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <exception>
#include <limits>
#include <map>
#include <vector>

namespace {

// 9 points at 96 DPI: the size the control rectangles were laid out for, so it scales with
// them. These faces have every glyph of the captions and fit their 17-pixel labels.
constexpr int kFontPixelSize = 12;
const QStringList kJapaneseFaces{"IPAexGothic", "IPAGothic", "IPAPGothic", "VL Gothic",
                                 "Noto Sans CJK JP"};

// What a screen reader says of the picture: its name, and whether a figure is drawn.
const QString kPictureName = QString::fromUtf8("描画領域");
const QString kPictureEmpty = QString::fromUtf8("まだ何も描かれていません");
const QString kPictureDrawn = QString::fromUtf8("二つのドラゴン曲線が描かれています");

// Shows the busy pointer over the program's windows while it lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect toQRect(const TwipsRect& twips)
{
    const PixelPlacement place = toPixels(twips);
    return QRect(place.left, place.top, place.width, place.height);
}

void showFailure(QWidget* window, const QString& message)
{
    QMessageBox::critical(window, toQString(kForm1Caption), message);
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , reportFailure_(showFailure)
{
    installAccessibleRoles();
    setWindowTitle(toQString(kForm1Caption));
    QFont font;
    font.setFamilies(kJapaneseFaces);
    font.setPixelSize(kFontPixelSize);
    setFont(font);
    resize(twipsToPixels(kForm1InnerWidthTwips), twipsToPixels(kForm1InnerHeightTwips));
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    // Queued: the picture notices the change while painting, where it must not draw.
    connect(Picture1, &PictureBox::densityChangeSeen, this, &Form1::matchPictureDensity, Qt::QueuedConnection);
}

void Form1::buildControls()
{
    std::map<std::string_view, QWidget*> built;
    for (const ControlSpec* next : creationOrder()) {
        const ControlSpec& row = *next;
        const QRect rect = toQRect(row.twips);
        const QString text = toQString(row.text);
        QWidget* control = nullptr;
        switch (row.kind) {
        case ControlKind::PictureBox:
            control = new PictureBox(rect, this);
            break;
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(text, this);
            // Return and Enter press the focused button, as Space does. Outside a dialog
            // this makes no default button, so Return in a text field presses nothing.
            button->setAutoDefault(true);
            control = button;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(this);
            // The fields take whatever the user types or pastes, however long.
            edit->setMaxLength(std::numeric_limits<int>::max());
            edit->setText(text);
            selectAllAfterTabFocus(edit);
            control = edit;
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, this);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = label;
            break;
        }
        }
        control->setObjectName(toQString(row.name));
        control->setGeometry(rect);
        built[row.name] = control;
    }

    Picture1 = static_cast<PictureBox*>(built.at("Picture1"));
    Picture1->setAccessibleName(kPictureName);
    Picture1->setAccessibleDescription(kPictureEmpty);
    Command1 = static_cast<QPushButton*>(built.at("Command1"));
    Command3 = static_cast<QPushButton*>(built.at("Command3"));
    Text1 = static_cast<QLineEdit*>(built.at("Text1"));
    Text2 = static_cast<QLineEdit*>(built.at("Text2"));
    Label1 = static_cast<QLabel*>(built.at("Label1"));
    Label2 = static_cast<QLabel*>(built.at("Label2"));
    // A field is announced by its caption.
    for (const ControlSpec& row : kForm1Controls)
        if (!row.labels.empty())
            static_cast<QLabel*>(built.at(row.name))->setBuddy(built.at(row.labels));

    std::vector<const ControlSpec*> order;
    for (const ControlSpec& row : kForm1Controls)
        if (takesFocus(row.kind))
            order.push_back(&row);
    std::ranges::sort(order, {}, &ControlSpec::tabIndex);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(built.at(order[i - 1]->name), built.at(order[i]->name));
    built.at(order.front()->name)->setFocus();
}

void Form1::Command1_Click()
{
    // A click queued before the display went away: there is nothing to draw on, and Qt ends
    // the program as soon as it is back in its event loop.
    if (displayConnectionLost())
        return;
    DrawingSurface& surface = drawingSurface_ != nullptr ? *drawingSurface_ : Picture1->surface();
    std::optional<std::string> failure;
    {
        // The drawing takes no input until it ends, about a second on a real screen; the
        // pointer says so, as native programs do.
        const BusyPointer busy;
        failure = drawOrDescribeFailure(state_, surface);
    }
    if (failure) {
        fail(QString::fromStdString(*failure));
        return;
    }
    figureDrawn_ = true;
    Picture1->setAccessibleDescription(kPictureDrawn);
    Picture1->updateChanged();
    announce(Picture1, toQString(kDrawingDoneNews));
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    keepSurfaceWhole();
}

void Form1::keepSurfaceWhole()
{
    // Only a Wayland compositor scales a window's logical size; on X11 a window is sized in
    // device pixels and always whole. A maximised or full-screen window must keep the size
    // it was given.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || windowHandle() == nullptr
        || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0)
        return;
    // A size this did not make is the one the user or the compositor chose; each scale
    // gets the whole size nearest below it, so the window is its own size again at a scale
    // where that is whole.
    if (size() != surfaceWhole_.made)
        surfaceWhole_.wanted = size();
    const QSize whole = largestWholeDeviceSize(surfaceWhole_.wanted, windowHandle()->frameMargins(),
                                               devicePixelRatioF());
    if (whole == size())
        return;
    // A compositor that gives back the size this changed insists on it (a tiling layout
    // does): it is kept then, rather than resized for ever.
    if (size() == surfaceWhole_.changedFrom && size() != surfaceWhole_.made)
        return;
    surfaceWhole_.changedFrom = size();
    surfaceWhole_.made = whole;
    resize(whole);
}

void Form1::matchPictureDensity()
{
    keepSurfaceWhole();
    if (!Picture1->densityChanged())
        return;  // an earlier notice already made it anew
    try {
        Picture1->remakeImage();
    } catch (const std::exception& failure) {
        fail(QString::fromUtf8("描画領域を作り直せませんでした。\n") + QString::fromUtf8(failure.what()));
        return;
    }
    if (figureDrawn_)
        Command1_Click();
}

void Form1::fail(const QString& message)
{
    reportFailure_(this, message);
    QCoreApplication::exit(EXIT_FAILURE);
}

void Form1::Command3_Click()
{
    requestStop(state_);
}
