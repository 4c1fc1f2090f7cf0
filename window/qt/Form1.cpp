#include "window/qt/Form1.h"

#include "window/CaptionFont.h"
#include "window/ControlTable.h"
#include "window/ScreenReaderTexts.h"
#include "window/qt/PictureBox.h"
#include "window/qt/accessibility/AccessibleRoles.h"
#include "window/qt/accessibility/Announcement.h"
#include "window/qt/accessibility/TabFocusSelection.h"
#include "window/qt/display/DisplayConnection.h"
#include "window/qt/display/FirstShowDeadline.h"
#include "window/qt/display/WindowSystemFailure.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <cstdio>
#include <limits>
#include <map>

namespace {

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect toQRect(const TwipsRect& twips)
{
    const PixelPlacement place = toPixels(twips);
    return QRect(place.left, place.top, place.width, place.height);
}

QFont captionFont()
{
    QStringList faces;
    for (const std::string_view face : kCaptionFaces)
        faces << toQString(face);
    QFont font;
    font.setFamilies(faces);
    font.setPixelSize(kCaptionPixelsAt96Dpi);
    return font;
}

// On stderr too, so that a failure is never silent, even where the box cannot show.
void showFailure(QWidget* window, const Failure& failure)
{
    std::fputs(failureLine(failure).c_str(), stderr);
    QMessageBox::critical(window, toQString(kFailureTitle), toQString(failureMessage(failure)));
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , commands_(shell())
    , reportFailure_(showFailure)
{
    installAccessibleRoles();
    setWindowTitle(toQString(kForm1Caption));
    setFont(captionFont());
    resize(twipsToPixels(kForm1InnerWidthTwips), twipsToPixels(kForm1InnerHeightTwips));
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    // Queued: Qt reports a change of density in the middle of its own handling of it, where
    // nothing may draw.
    connect(Picture1, &PictureBox::densityChangeSeen, this, &Form1::matchPictureDensity, Qt::QueuedConnection);
    // A message box could not show either.
    connect(Picture1, &PictureBox::paintingRefused, this,
            [] { failWindowSystem("the picture cannot be painted (Qt's painter did not begin)"); },
            Qt::QueuedConnection);
}

Form1Commands::Shell Form1::shell()
{
    return {
        .surface = [this]() -> DrawingSurface& {
            return drawingSurface_ != nullptr ? *drawingSurface_ : Picture1->surface();
        },
        .showBusy =
            [](bool busy) {
                if (busy)
                    QApplication::setOverrideCursor(Qt::WaitCursor);
                else
                    QApplication::restoreOverrideCursor();
            },
        .showTheRest = [this] { Picture1->updateChanged(); },
        .describePicture = [this](std::string_view text) { Picture1->setAccessibleDescription(toQString(text)); },
        .announce = [this](std::string_view news) { announce(Picture1, toQString(news)); },
        .fail =
            [this](const Failure& failure) {
                reportFailure_(this, failure);
                QCoreApplication::exit(EXIT_FAILURE);
            },
    };
}

void Form1::buildControls()
{
    std::map<std::string_view, QWidget*> built;
    for (const ControlRow* next : creationOrder(kForm1Controls)) {
        const ControlRow& row = *next;
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
    Picture1->setAccessibleName(toQString(kPictureName));
    Picture1->setAccessibleDescription(toQString(kPictureEmpty));
    Command1 = static_cast<QPushButton*>(built.at("Command1"));
    Command3 = static_cast<QPushButton*>(built.at("Command3"));
    // A field is announced by its caption.
    for (const ControlRow& row : kForm1Controls)
        if (!row.captionedField.empty())
            static_cast<QLabel*>(built.at(row.name))->setBuddy(built.at(row.captionedField));

    const auto order = focusOrder(kForm1Controls);
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
    commands_.Command1_Click();
}

void Form1::Command3_Click()
{
    commands_.Command3_Click();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    wholePixelSize_.keep();
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The handle exists from the first show on; installing again only moves the filter.
    windowHandle()->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        firstShown();
        // Qt versions report a new scale in different ways; each exposes the window at it.
        Picture1->checkDensity();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::matchPictureDensity()
{
    wholePixelSize_.keep();
    if (!Picture1->densityChanged())
        return;  // an earlier notice already made it anew
    commands_.densityChanged([this] { Picture1->remakeImage(); });
}
