#include "WindowTestSupport.h"
#include "window/ControlTable.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString textOf(QWidget* widget)
{
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return {};
}

TEST(Form1, OpensWithItsCaptionInnerSizeAndEveryControlInPlace)
{
    const auto window = shownForm1();
    EXPECT_EQ(window->windowTitle(), "Form1");
    EXPECT_EQ(window->size(), QSize(799, 460));

    // Each control where the table puts it (the pixels are checked in ControlTableTest).
    QRect expected[kForm1Controls.size()];
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const ControlRow& row = kForm1Controls[i];
        const PixelPlacement place = toPixels(row.twips);
        expected[i] = QRect(place.left, place.top, place.width, place.height);
        QWidget* widget = control(*window, row.name.data());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), expected[i]) << row.name;
        EXPECT_EQ(textOf(widget), toQString(row.text)) << row.name;
    }
    EXPECT_EQ(textOf(control(*window, "Text1")), "60");
    EXPECT_EQ(textOf(control(*window, "Text2")), "90");
    EXPECT_EQ(textOf(control(*window, "Command1")), "描画");

    // Resizing the window moves nothing.
    window->resize(1200, 700);
    QCoreApplication::processEvents();
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i)
        EXPECT_EQ(control(*window, kForm1Controls[i].name.data())->geometry(), expected[i]);
}

TEST(Form1, TabMovesTheFocusInTabIndexOrderPastLabelsAndPicture)
{
    const auto window = shownForm1();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"Command1", "Text1", "Text2", "Command3", "Command1"}));
    for (const char* name : {"Picture1", "Label1", "Label2"})
        EXPECT_EQ(control(*window, name)->focusPolicy(), Qt::NoFocus) << name;

    // The focused control shows that it has the focus.
    for (const char* name : {"Command1", "Text1", "Text2", "Command3"}) {
        QWidget* widget = control(*window, name);
        widget->setFocus();
        const QImage focused = widget->grab().toImage();
        control(*window, widget->objectName() == "Text1" ? "Text2" : "Text1")->setFocus();
        EXPECT_NE(widget->grab().toImage(), focused) << name;
    }
}

TEST(Form1, ReturnEnterAndSpacePressTheFocusedButtonWhileReturnInAFieldPressesNothing)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        const auto window = shownForm1();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        for (const char* field : {"Text1", "Text2"}) {
            control(*window, field)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        EXPECT_FALSE(window->figureDrawn()) << key;

        control(*window, "Command1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->figureDrawn()) << key;
        EXPECT_TRUE(samePixels(picture(*window).surface(), *coreFigure(577, 417))) << key;

        control(*window, "Command3")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(window->state().StopRequested) << key;
    }
}

// What a screen reader meets, through Qt's accessibility interface: a frame named Form1 whose
// controls come in the tab order, each caption just before the field it names.
TEST(Form1, ScreenReadersMeetAFrameOfControlsInTabOrderEachFieldNamedByItsCaption)
{
    const auto window = shownForm1();
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "Form1");

    struct Expected {
        QAccessible::Role role;
        const char* name;
        const char* labelledBy;
    };
    const Expected expected[] = {
        {QAccessible::Graphic, "描画領域", nullptr},    {QAccessible::Button, "描画", nullptr},
        {QAccessible::StaticText, "形式1最大値", nullptr}, {QAccessible::EditableText, "形式1最大値", "Label1"},
        {QAccessible::StaticText, "表示最大値", nullptr},  {QAccessible::EditableText, "表示最大値", "Label2"},
        {QAccessible::Button, "描画中止", nullptr},
    };
    ASSERT_EQ(frame->childCount(), 7);
    for (int i = 0; i < 7; ++i) {
        QAccessibleInterface* child = frame->child(i);
        EXPECT_EQ(child->role(), expected[i].role) << i;
        EXPECT_EQ(child->text(QAccessible::Name), QString::fromUtf8(expected[i].name)) << i;
        const auto labels = child->relations(QAccessible::Label);
        if (expected[i].labelledBy == nullptr) {
            EXPECT_TRUE(labels.isEmpty()) << i;
            continue;
        }
        ASSERT_EQ(labels.size(), 1) << i;
        EXPECT_EQ(labels.front().first->object()->objectName(), expected[i].labelledBy) << i;
    }

    // The picture says whether a figure is drawn.
    QAccessibleInterface* pictureInterface = frame->child(0);
    EXPECT_EQ(pictureInterface->text(QAccessible::Description), QString::fromUtf8("まだ何も描かれていません"));
    click(*window, "Command1");
    EXPECT_EQ(pictureInterface->text(QAccessible::Description), QString::fromUtf8("二つのドラゴン曲線が描かれています"));
}

TEST(Form1, CaptionsShowInAJapaneseFontAndFitTheirControls)
{
    const auto window = shownForm1();
    for (const ControlRow& row : kForm1Controls) {
        if (row.kind == ControlKind::PictureBox)
            continue;
        QWidget* widget = control(*window, row.name.data());
        const QString text = textOf(widget);
        const QFontMetrics metrics(widget->font());

        const QString family = QFontInfo(widget->font()).family();
        EXPECT_TRUE(family.contains("Gothic") || family.contains("CJK")) << row.name << ": " << family.toStdString();
        for (const char32_t character : text.toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(character)) << row.name << ": U+" << std::hex << unsigned(character);

        QRect room = widget->rect();
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        } else if (qobject_cast<QLineEdit*>(widget)) {
            const int frame = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
            room = widget->rect().adjusted(frame + 2, frame, -frame - 2, -frame);  // and the edit's text margin
        }
        EXPECT_LE(metrics.horizontalAdvance(text), room.width()) << row.name;
        EXPECT_LE(metrics.height(), room.height()) << row.name;
    }
}

TEST(Form1, ShowsAPlainOpaqueBlackPictureBeforeTheFirstDrawing)
{
    const auto window = shownForm1();
    // The image the picture hands the window system is opaque, as RGB32 promises: a
    // compositor that reads the top byte as alpha must not see through it.
    const QImage shown = grabbed(picture(*window));
    ASSERT_EQ(shown.size(), QSize(577, 417));
    for (int row = 0; row < shown.height(); ++row)
        for (int column = 0; column < shown.width(); ++column)
            ASSERT_EQ(shown.pixel(column, row), 0xFF000000u);
    const RetainedImage& image = picture(*window).surface();
    for (int i = 0; i < image.stride() * image.height(); ++i)
        ASSERT_EQ(image.pixels()[i] >> 24, 0xFFu);
}

TEST(Form1, DrawButtonDrawsTheCoresFigure)
{
    const auto window = shownForm1();
    click(*window, "Command1");
    const auto expected = coreFigure(577, 417);
    EXPECT_TRUE(samePixels(picture(*window).surface(), *expected));
    EXPECT_TRUE(showsImage(grabbed(picture(*window)), *expected));
}

// Records the paint events that reach the picture, and what the window's state was then.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(const Form1& window)
        : window_(window)
    {
        picture(window).installEventFilter(this);
    }

    std::function<void()> onFirstPaint;
    std::vector<QRect> paints;
    std::vector<bool> stopRequestedAtPaint;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            paints.push_back(static_cast<QPaintEvent*>(event)->rect());
            stopRequestedAtPaint.push_back(window_.state().StopRequested);
            if (paints.size() == 1 && onFirstPaint)
                onFirstPaint();
        }
        return false;
    }

private:
    const Form1& window_;
};

TEST(Form1, PaintsOncePerRefreshOnlyWhatChangedThenTheRestAfterTheDrawing)
{
    const auto window = shownForm1();

    // The rectangles the drawing presents, as the core gives them.
    RetainedImage image(577, 417);
    std::vector<QRect> expected;
    image.setPresenter([&](const RetainedImage&, const PixelRect& changed) {
        expected.emplace_back(changed.left, changed.top, changed.width(), changed.height());
    });
    MainWindowState state;
    RunDrawCommand(state, image);
    const PixelRect rest = image.takeChangedRect();
    expected.emplace_back(rest.left, rest.top, rest.width(), rest.height());
    ASSERT_EQ(expected.size(), 74u);

    PaintRecorder recorder(*window);
    QTest::mouseClick(control<QAbstractButton>(*window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(recorder.paints.size(), 73u) << "the click returned after its synchronous repaints";
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.paints, expected);
}

TEST(Form1, AStopClickDuringADrawingIsHandledAfterItAndTheNextDrawingClearsIt)
{
    const auto window = shownForm1();
    auto* stopButton = control<QPushButton>(*window, "Command3");
    PaintRecorder recorder(*window);
    // While the drawing runs, the user clicks "描画中止": the click waits in the queue.
    recorder.onFirstPaint = [&] {
        const QPointF centre = QRectF(stopButton->rect()).center();
        const QPointF global = stopButton->mapToGlobal(centre);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(stopButton, new QMouseEvent(type, centre, global, Qt::LeftButton,
                                                                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                                    Qt::NoModifier));
    };

    QTest::mouseClick(control<QAbstractButton>(*window, "Command1"), Qt::LeftButton);
    ASSERT_EQ(recorder.stopRequestedAtPaint.size(), 73u);
    EXPECT_EQ(std::count(recorder.stopRequestedAtPaint.begin(), recorder.stopRequestedAtPaint.end(), true), 0);
    EXPECT_FALSE(window->state().StopRequested);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->state().StopRequested);

    recorder.onFirstPaint = nullptr;
    recorder.paints.clear();
    recorder.stopRequestedAtPaint.clear();
    click(*window, "Command1");
    EXPECT_FALSE(window->state().StopRequested);
    EXPECT_EQ(std::count(recorder.stopRequestedAtPaint.begin(), recorder.stopRequestedAtPaint.end(), true), 0);
}

TEST(Form1, CoveringAndUncoveringRepaintsTheWholeFigureFromTheImage)
{
    const auto window = shownForm1();
    click(*window, "Command1");
    PaintRecorder recorder(*window);
    window->hide();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    ASSERT_FALSE(recorder.paints.empty());
    EXPECT_EQ(recorder.paints.back(), QRect(0, 0, 577, 417));
    EXPECT_TRUE(showsImage(grabbed(picture(*window)), *coreFigure(577, 417)));
}

TEST(Form1, ClosingTheWindowEndsTheProgram)
{
    const auto window = shownForm1();
    QTimer::singleShot(0, window.get(), &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
}

} // namespace
