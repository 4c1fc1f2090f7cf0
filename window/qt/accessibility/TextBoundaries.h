#pragma once

#include <QString>

#include <vector>

// The units a screen reader reads a text field by.
enum class TextUnit { Character, Word, Sentence, Line };

// A half-open range [start, end) of UTF-16 offsets into a text.
struct TextSpan {
    qsizetype start = 0;
    qsizetype end = 0;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// Where a one-line text's characters, words, sentences and lines begin and end, worked out
// once, so that every question about it is a binary search and always returns.
//
// A character is what the caret steps over: a whole grapheme cluster, never half a
// surrogate pair nor a letter without its combining marks. The words are the stops of a
// line edit's Ctrl+Right: runs of word characters, runs of the punctuation it stops at, and
// runs of white space, each its own piece; Japanese without spaces is one word. Sentences
// follow Unicode's sentence breaks; the whole field is one line.
//
// Offsets outside 0 to the text's length get an empty span at the nearer end.
class TextBoundaries {
public:
    explicit TextBoundaries(const QString& text);

    const QString& text() const { return text_; }

    // The piece that holds the character at offset; at the end of the text, the last one.
    TextSpan at(qsizetype offset, TextUnit unit) const;
    // The piece that ends at or before offset, before the one that holds it.
    TextSpan before(qsizetype offset, TextUnit unit) const;
    // The piece that starts after offset.
    TextSpan after(qsizetype offset, TextUnit unit) const;

private:
    // Ascending offsets where the unit's pieces start, ending with the text's length; only
    // {0} for an empty text.
    const std::vector<qsizetype>& edges(TextUnit unit) const;
    // The empty span at the end of the text nearer to an offset outside it.
    TextSpan outside(qsizetype offset) const;

    QString text_;
    std::vector<qsizetype> characters_;
    std::vector<qsizetype> words_;
    std::vector<qsizetype> sentences_;
    std::vector<qsizetype> lines_;
};
