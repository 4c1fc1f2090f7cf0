#pragma once

#include "window/qt/accessibility/TextBoundaries.h"

#include <QAccessibleWidget>

#include <memory>

class QLineEdit;

// Text1 and Text2 as a screen reader meets them: their text, caret and selection, and the
// characters, words, sentences and line at, before and after any offset, all worked out on
// the line edit's public API. Qt's own interface for a line edit never returns when asked for
// the word or sentence at the end of the text, which freezes the program; this one answers
// every question. Names and labelled-by relations come from the labels, as for any widget.
class AccessibleTextField final : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit AccessibleTextField(QLineEdit* field);

    QAccessible::State state() const override;
    QString text(QAccessible::Text which) const override;
    void setText(QAccessible::Text which, const QString& text) override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    // In screen coordinates; an empty rectangle for an offset with no character.
    QRect characterRect(int offset) const override;
    // -1 for a point outside the field.
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    // The fields hold plain text: one run, without attributes, that covers all of it.
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* field() const;
    // The boundaries of the field's present text, made again when it has changed.
    const TextBoundaries& boundaries() const;
    // The span's text, with its ends given back through the two pointers.
    QString spanText(TextSpan span, int* startOffset, int* endOffset) const;
    // An offset moved into 0 to the text's length.
    int inText(int offset) const;

    mutable std::unique_ptr<TextBoundaries> boundaries_;
};
