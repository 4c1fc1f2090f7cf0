#include "window/qt/accessibility/TabFocusSelection.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QObject>

namespace {

bool selectsAllOnFocus(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

class TabFocusSelection final : public QObject {
public:
    explicit TabFocusSelection(QLineEdit* field)
        : QObject(field)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !selectsAllOnFocus(static_cast<QFocusEvent*>(event)->reason()))
            return false;
        auto* field = static_cast<QLineEdit*>(watched);
        // The line edit takes the focus for another reason, which selects nothing; the
        // selection follows from the event loop, after Qt has announced the focus.
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(field, &plain);
        QMetaObject::invokeMethod(
            field,
            [field] {
                if (field->hasFocus() && !field->hasSelectedText())
                    field->selectAll();
            },
            Qt::QueuedConnection);
        return true;
    }
};

} // namespace

void selectAllAfterTabFocus(QLineEdit* field)
{
    new TabFocusSelection(field);
}
