#include "window/qt/accessibility/AccessibleTextField.h"

#include <QFontMetricsF>
#include <QLineEdit>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

std::optional<TextUnit> unitOf(QAccessible::TextBoundaryType type)
{
    switch (type) {
    case QAccessible::CharBoundary:
        return TextUnit::Character;
    case QAccessible::WordBoundary:
        return TextUnit::Word;
    case QAccessible::SentenceBoundary:
        return TextUnit::Sentence;
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
        return TextUnit::Line;
    case QAccessible::NoBoundary:
        break;
    }
    return std::nullopt;  // the whole text
}

} // namespace

AccessibleTextField::AccessibleTextField(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
}

QLineEdit* AccessibleTextField::field() const
{
    return static_cast<QLineEdit*>(widget());
}

QAccessible::State AccessibleTextField::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !field()->isReadOnly();
    state.readOnly = field()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString AccessibleTextField::text(QAccessible::Text which) const
{
    if (which == QAccessible::Value)
        return field()->text();
    return QAccessibleWidget::text(which);
}

void AccessibleTextField::setText(QAccessible::Text which, const QString& text)
{
    if (which == QAccessible::Value)
        replaceText(0, characterCount(), text);
    else
        QAccessibleWidget::setText(which, text);
}

void* AccessibleTextField::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

const TextBoundaries& AccessibleTextField::boundaries() const
{
    const QString text = field()->text();
    if (boundaries_ == nullptr || boundaries_->text() != text)
        boundaries_ = std::make_unique<TextBoundaries>(text);
    return *boundaries_;
}

int AccessibleTextField::inText(int offset) const
{
    return std::clamp(offset, 0, characterCount());
}

void AccessibleTextField::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    if (selectionIndex != 0 || !field()->hasSelectedText()) {
        *startOffset = *endOffset = -1;
        return;
    }
    *startOffset = field()->selectionStart();
    *endOffset = field()->selectionEnd();
}

int AccessibleTextField::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void AccessibleTextField::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextField::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void AccessibleTextField::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;  // a line edit has one selection
    const int start = inText(startOffset);
    field()->setSelection(start, inText(endOffset) - start);
}

int AccessibleTextField::cursorPosition() const
{
    return field()->cursorPosition();
}

void AccessibleTextField::setCursorPosition(int position)
{
    field()->setCursorPosition(inText(position));
}

QString AccessibleTextField::text(int startOffset, int endOffset) const
{
    const int start = inText(startOffset);
    const int end = endOffset < 0 ? characterCount() : inText(endOffset);
    return start < end ? field()->text().mid(start, end - start) : QString();
}

QString AccessibleTextField::spanText(TextSpan span, int* startOffset, int* endOffset) const
{
    *startOffset = static_cast<int>(span.start);
    *endOffset = static_cast<int>(span.end);
    return boundaries().text().mid(span.start, span.end - span.start);
}

QString AccessibleTextField::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const
{
    const auto unit = unitOf(boundaryType);
    if (!unit)
        return spanText({0, 0}, startOffset, endOffset);
    return spanText(boundaries().before(offset, *unit), startOffset, endOffset);
}

QString AccessibleTextField::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const
{
    const auto unit = unitOf(boundaryType);
    if (!unit)
        return spanText({characterCount(), characterCount()}, startOffset, endOffset);
    return spanText(boundaries().after(offset, *unit), startOffset, endOffset);
}

QString AccessibleTextField::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const
{
    const auto unit = unitOf(boundaryType);
    if (!unit)
        return spanText({0, characterCount()}, startOffset, endOffset);
    return spanText(boundaries().at(offset, *unit), startOffset, endOffset);
}

int AccessibleTextField::characterCount() const
{
    return static_cast<int>(field()->text().size());
}

QRect AccessibleTextField::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    // Measured from the caret, the one position whose place a line edit tells: its cursor
    // rectangle is centred on the caret line, and the text scrolls to keep the caret in view.
    const QString text = field()->text();
    const TextSpan character = boundaries().at(offset, TextUnit::Character);
    const qsizetype caret = field()->cursorPosition();
    const QRectF caretRect = field()->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    const QFontMetricsF metrics(field()->font());
    const auto advance = [&](qsizetype from, qsizetype to) {
        return from <= to ? metrics.horizontalAdvance(text.mid(from, to - from))
                          : -metrics.horizontalAdvance(text.mid(to, from - to));
    };
    const double left = caretRect.center().x() + advance(caret, character.start);
    const double right = left + advance(character.start, character.end);
    const QRect local(QPoint(qRound(left), qRound(caretRect.top())),
                      QPoint(qRound(right) - 1, qRound(caretRect.bottom()) - 1));
    return local.translated(field()->mapToGlobal(QPoint(0, 0)));
}

int AccessibleTextField::offsetAtPoint(const QPoint& point) const
{
    const QPoint local = field()->mapFromGlobal(point);
    if (!field()->rect().contains(local))
        return -1;
    return field()->cursorPositionAt(local);
}

void AccessibleTextField::scrollToSubstring(int startIndex, int endIndex)
{
    // A line edit scrolls to show its caret: through the end first, so the start is shown too
    // where both fit.
    setCursorPosition(endIndex);
    setCursorPosition(startIndex);
}

QString AccessibleTextField::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void AccessibleTextField::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void AccessibleTextField::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void AccessibleTextField::replaceText(int startOffset, int endOffset, const QString& text)
{
    // Through the selection, as typing would, so that the change can be undone.
    int start = inText(startOffset);
    int end = inText(endOffset);
    if (end < start)
        std::swap(start, end);
    field()->setSelection(start, end - start);
    field()->insert(text);
}
