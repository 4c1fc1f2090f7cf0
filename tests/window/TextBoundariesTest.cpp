#include "window/qt/accessibility/TextBoundaries.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

constexpr std::array kUnits{TextUnit::Character, TextUnit::Word, TextUnit::Sentence, TextUnit::Line};

QString u16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QString megabyteOfMixedText()
{
    QString text;
    while (text.size() < 1024 * 1024)
        text += u16(u"日本語テスト abc, def. e\u0301 \U0002000b! ");
    return text;
}

// A piece must never cut a character: not between the halves of a surrogate pair, nor between
// a letter and its combining mark.
bool cutsACharacter(const QString& text, qsizetype edge)
{
    if (edge <= 0 || edge >= text.size())
        return false;
    return (text.at(edge - 1).isHighSurrogate() && text.at(edge).isLowSurrogate()) || text.at(edge).isMark();
}

void expectSoundSpan(const QString& text, TextSpan span, const char* what, qsizetype offset)
{
    EXPECT_TRUE(0 <= span.start && span.start <= span.end && span.end <= text.size())
        << what << " at " << offset << ": " << span.start << "-" << span.end;
    EXPECT_FALSE(cutsACharacter(text, span.start) || cutsACharacter(text, span.end))
        << what << " at " << offset << ": " << span.start << "-" << span.end;
}

// The questions a screen reader asks, at the offsets given: every answer lies within the
// text on whole characters, the piece at an offset holds it, the pieces before and after lie
// on either side, and walking from piece to piece covers the whole text once.
void expectSoundAnswers(const QString& text, const std::vector<qsizetype>& offsets)
{
    const TextBoundaries boundaries(text);
    for (const TextUnit unit : kUnits) {
        for (const qsizetype offset : offsets) {
            const TextSpan at = boundaries.at(offset, unit);
            const TextSpan before = boundaries.before(offset, unit);
            const TextSpan after = boundaries.after(offset, unit);
            expectSoundSpan(text, at, "at", offset);
            expectSoundSpan(text, before, "before", offset);
            expectSoundSpan(text, after, "after", offset);
            if (offset < 0 || offset > text.size())
                continue;
            if (offset < text.size()) {
                EXPECT_TRUE(at.start <= offset && offset < at.end) << offset;
            } else if (!text.isEmpty()) {
                EXPECT_EQ(at.end, text.size());
            }
            EXPECT_LE(before.end, offset);
            EXPECT_TRUE(after.start > offset || after.start == text.size()) << offset;
        }
        QString walked;
        for (TextSpan piece = boundaries.at(0, unit); piece.start < piece.end;
             piece = boundaries.after(piece.start, unit))
            walked += text.mid(piece.start, piece.end - piece.start);
        EXPECT_EQ(walked, text);
    }
}

TEST(TextBoundaries, EveryQuestionAtEveryOffsetOfTrickyTextsHasASoundAnswer)
{
    const QString texts[] = {
        QString(), u16(u"60"), u16(u"   "), u16(u"日本語テスト"), u16(u"日本語　テスト, abc. Def!"),
        u16(u"\U0002000b\U00021235x"), u16(u"e\u0301a\u0308\u0323 o"), u16(u"-- 90 ..."),
        // A lone half of a surrogate pair, as pasted from a broken source.
        QString(QChar(0xD800)) + u16(u"a") + QChar(0xDC00),
    };
    for (const QString& text : texts) {
        std::vector<qsizetype> offsets;
        for (qsizetype offset = -2; offset <= text.size() + 2; ++offset)
            offsets.push_back(offset);
        SCOPED_TRACE(text.toStdString());
        expectSoundAnswers(text, offsets);
    }
}

TEST(TextBoundaries, AMegabyteIsAnsweredAtItsEndsAndWithin)
{
    const QString text = megabyteOfMixedText();
    expectSoundAnswers(text, {0, 1, 4096, text.size() / 2, text.size() - 1, text.size(), text.size() + 1});
}

struct ExpectedPiece {
    const char16_t* text;
    TextUnit unit;
    qsizetype offset;
    TextSpan before, at, after;
};

// The words are a line edit's Ctrl+Right stops: a run of word characters, of the punctuation
// it stops at, or of white space.
TEST(TextBoundaries, PiecesAreThoseAUserStepsThrough)
{
    constexpr auto Character = TextUnit::Character, Word = TextUnit::Word, Sentence = TextUnit::Sentence,
                   Line = TextUnit::Line;
    const ExpectedPiece cases[] = {
        // The caret after the field's text, as Ctrl+Right leaves it: the word before it.
        {u"60", Word, 2, {0, 2}, {0, 2}, {2, 2}},
        {u"60", Word, 0, {0, 0}, {0, 2}, {2, 2}},
        {u"60", Character, 1, {0, 1}, {1, 2}, {2, 2}},
        {u"", Word, 0, {0, 0}, {0, 0}, {0, 0}},
        {u"   ", Word, 1, {0, 0}, {0, 3}, {3, 3}},
        {u"日本語テスト", Word, 6, {0, 6}, {0, 6}, {6, 6}},
        {u"日本語 テスト", Word, 5, {3, 4}, {4, 7}, {7, 7}},
        {u"日本語 テスト", Word, 3, {0, 3}, {3, 4}, {4, 7}},
        {u"abc, def.", Word, 3, {0, 3}, {3, 4}, {4, 5}},
        {u"\U0002000b\U00021235x", Character, 1, {0, 0}, {0, 2}, {2, 4}},
        {u"\U0002000b\U00021235x", Word, 5, {0, 5}, {0, 5}, {5, 5}},
        {u"e\u0301a", Character, 1, {0, 0}, {0, 2}, {2, 3}},
        {u"Ab. Cd.", Sentence, 5, {0, 4}, {4, 7}, {7, 7}},
        {u"ab cd", Line, 1, {0, 0}, {0, 5}, {5, 5}},
        // Outside the text: an empty span at the nearer end.
        {u"60", Word, -1, {0, 0}, {0, 0}, {0, 0}},
        {u"60", Word, 3, {2, 2}, {2, 2}, {2, 2}},
    };
    for (const ExpectedPiece& expected : cases) {
        const TextBoundaries boundaries(u16(expected.text));
        SCOPED_TRACE(boundaries.text().toStdString() + " at " + std::to_string(expected.offset));
        EXPECT_EQ(boundaries.before(expected.offset, expected.unit), expected.before);
        EXPECT_EQ(boundaries.at(expected.offset, expected.unit), expected.at);
        EXPECT_EQ(boundaries.after(expected.offset, expected.unit), expected.after);
    }
}

} // namespace
