#include "window/qt/Announcement.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
namespace {

// Gives a control its own description back once the focus leaves it, so that the news is not
// read again as the control's description when the user comes back to it.
class DescriptionRestorer final : public QObject {
public:
    DescriptionRestorer(QWidget* control, const QString& own)
        : QObject(control)
        , own_(own)
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            static_cast<QWidget*>(watched)->setAccessibleDescription(own_);
            deleteLater();
        }
        return false;
    }

private:
    QString own_;
};

} // namespace
#endif

void announce(QWidget* source, const QString& message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, message);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    // Qt before 6.8 has no announcements. Screen readers speak a new description of the
    // control that has the focus (Orca drops those of any other), so the news becomes that
    // control's description for as long as it keeps the focus.
    static_cast<void>(source);
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr)
        return;
    const auto restorers = focused->findChildren<DescriptionRestorer*>(Qt::FindDirectChildrenOnly);
    if (restorers.isEmpty())
        new DescriptionRestorer(focused, focused->accessibleDescription());
    // Cleared first, so that the same news a second time is a change too.
    focused->setAccessibleDescription(QString());
    focused->setAccessibleDescription(message);
#endif
}
