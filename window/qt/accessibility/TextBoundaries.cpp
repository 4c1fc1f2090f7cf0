#include "window/qt/accessibility/TextBoundaries.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <string_view>

namespace {

// Every boundary the finder reports, in order. The finder answers -1 past the end; a
// position that does not move on ends the walk too, so it always ends.
std::vector<qsizetype> finderEdges(QTextBoundaryFinder::BoundaryType type, const QString& text)
{
    std::vector<qsizetype> edges{0};
    if (text.isEmpty())
        return edges;
    QTextBoundaryFinder finder(type, text);
    for (qsizetype next = finder.toNextBoundary(); next > edges.back(); next = finder.toNextBoundary())
        edges.push_back(next);
    if (edges.back() != text.size())
        edges.push_back(text.size());
    return edges;
}

enum class WordClass { Space, Separator, Letter };

// The punctuation a line edit's Ctrl+Right stops at.
constexpr std::u16string_view kWordSeparators = u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\";

WordClass wordClassAt(const QString& text, qsizetype offset)
{
    char32_t code = text.at(offset).unicode();
    if (QChar::isHighSurrogate(code) && offset + 1 < text.size() && text.at(offset + 1).isLowSurrogate())
        code = QChar::surrogateToUcs4(text.at(offset), text.at(offset + 1));
    if (QChar::isSpace(code))
        return WordClass::Space;
    if (code < 0x80 && kWordSeparators.find(static_cast<char16_t>(code)) != std::u16string_view::npos)
        return WordClass::Separator;
    return WordClass::Letter;
}

// Words are made of whole characters: a piece starts where the class of a character's
// first code point differs from the one before.
std::vector<qsizetype> wordEdges(const QString& text, const std::vector<qsizetype>& characters)
{
    std::vector<qsizetype> edges{0};
    for (std::size_t i = 1; i + 1 < characters.size(); ++i)
        if (wordClassAt(text, characters[i]) != wordClassAt(text, characters[i - 1]))
            edges.push_back(characters[i]);
    if (!text.isEmpty())
        edges.push_back(text.size());
    return edges;
}

} // namespace

TextBoundaries::TextBoundaries(const QString& text)
    : text_(text)
    , characters_(finderEdges(QTextBoundaryFinder::Grapheme, text))
    , words_(wordEdges(text, characters_))
    , sentences_(finderEdges(QTextBoundaryFinder::Sentence, text))
    , lines_(text.isEmpty() ? std::vector<qsizetype>{0} : std::vector<qsizetype>{0, text.size()})
{
}

const std::vector<qsizetype>& TextBoundaries::edges(TextUnit unit) const
{
    switch (unit) {
    case TextUnit::Character:
        return characters_;
    case TextUnit::Word:
        return words_;
    case TextUnit::Sentence:
        return sentences_;
    case TextUnit::Line:
        break;
    }
    return lines_;
}

TextSpan TextBoundaries::outside(qsizetype offset) const
{
    const qsizetype nearer = std::clamp<qsizetype>(offset, 0, text_.size());
    return {nearer, nearer};
}

TextSpan TextBoundaries::at(qsizetype offset, TextUnit unit) const
{
    if (offset < 0 || offset > text_.size() || text_.isEmpty())
        return outside(offset);
    const auto& edge = edges(unit);
    // The first edge beyond the character at offset ends its piece; at the very end of the
    // text, that is the last piece.
    const auto end = std::upper_bound(edge.begin(), edge.end(), std::min(offset, text_.size() - 1));
    return {*(end - 1), *end};
}

TextSpan TextBoundaries::before(qsizetype offset, TextUnit unit) const
{
    if (offset < 0 || offset > text_.size())
        return outside(offset);
    const auto& edge = edges(unit);
    // The last edge at or before offset ends the piece, unless it is the text's start.
    const auto end = std::upper_bound(edge.begin(), edge.end(), offset) - 1;
    if (end == edge.begin())
        return {0, 0};
    return {*(end - 1), *end};
}

TextSpan TextBoundaries::after(qsizetype offset, TextUnit unit) const
{
    if (offset < 0 || offset > text_.size())
        return outside(offset);
    const auto& edge = edges(unit);
    const auto start = std::upper_bound(edge.begin(), edge.end(), offset);
    if (start == edge.end() || start + 1 == edge.end())
        return {text_.size(), text_.size()};
    return {*start, *(start + 1)};
}
