#include "ForwardingSurface.h"
#include "WindowTestSupport.h"
#include "surface/SurfaceError.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>

#include <vector>

#include <gtest/gtest.h>

namespace {

// Draws into the real image until its 1000th line, which fails as a broken surface would.
class SurfaceFailingPartWay final : public ForwardingSurface {
public:
    using ForwardingSurface::ForwardingSurface;

    void Line(float x1, float y1, float x2, float y2, RgbColor c) override
    {
        if (++lines_ == 1000)
            throw SurfaceError("the surface broke at line 1000");
        ForwardingSurface::Line(x1, y1, x2, y2, c);
    }

private:
    int lines_ = 0;
};

TEST(Reliability, AFailureDuringADrawingIsReportedAndEndsTheProgram)
{
    const auto window = shownForm1();
    SurfaceFailingPartWay failing(picture(*window).surface());
    window->drawThrough(failing);
    std::vector<Failure> reported;
    window->setFailureReporter([&](QWidget* shownOver, const Failure& failure) {
        EXPECT_EQ(shownOver, window.get());
        reported.push_back(failure);
    });

    QTimer::singleShot(0, window.get(), [&] { click(*window, "Command1"); });
    EXPECT_EQ(QApplication::exec(), EXIT_FAILURE);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported[0].kind, FailureKind::Drawing);
    EXPECT_EQ(reported[0].cause, "the surface broke at line 1000");
}

// Types each UTF-16 unit as a key press carrying it as text, as an input method delivers
// characters that have no key of their own; a lone surrogate arrives unpaired.
void type(QWidget* field, const QString& text)
{
    for (const QChar unit : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(unit));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(unit));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

TEST(Reliability, WhateverTheFieldsAreGivenTheFigureStaysTheSame)
{
    const auto window = shownForm1();
    const auto expected = coreFigure(577, 417);
    QLineEdit* const fields[] = {control<QLineEdit>(*window, "Text1"), control<QLineEdit>(*window, "Text2")};

    const QString unpairedSurrogates = QString(QChar(0xD800)) + "x" + QChar(0xDFFF);
    const QString odd[] = {
        QString(),
        "abc",
        "-1e999",
        "\t\n",
        QString::fromUtf8("\x01\x02\x1b[31m\t\r\n\x7f"),   // control characters
        unpairedSurrogates,
        QString::fromUtf8("שלום عربي 123 \u202e-1e308\u200d"), // right to left, and overrides
        QString::fromUtf8("e\u0301\u0301\u0301 a\u0308"),      // combining marks
    };
    const QString megabyte(1 << 20, QChar('8'));

    // The fields keep what they hold: the drawing neither reads nor changes them.
    const auto expectTheFigure = [&] {
        const QString held[] = {fields[0]->text(), fields[1]->text()};
        click(*window, "Command1");
        ASSERT_TRUE(samePixels(picture(*window).surface(), *expected));
        EXPECT_EQ(fields[0]->text(), held[0]);
        EXPECT_EQ(fields[1]->text(), held[1]);
    };
    for (QLineEdit* field : fields) {
        field->setFocus();
        for (const QString& text : odd) {
            type(field, text);
            expectTheFigure();
            field->selectAll();
            QApplication::clipboard()->setText(text);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            expectTheFigure();
        }
        QApplication::clipboard()->setText(megabyte);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_GE(field->text().size(), megabyte.size());
        expectTheFigure();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClick(field, Qt::Key_Backspace);
        expectTheFigure();
    }
    EXPECT_TRUE(showsImage(grabbed(picture(*window)), *expected));
}

} // namespace
