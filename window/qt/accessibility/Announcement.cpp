#include "window/qt/accessibility/Announcement.h"

#include <QAccessible>
#include <QWidget>

#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QAccessibleWidget>

namespace {

// Screen readers speak a notification as it appears, wherever the focus is. It paints
// nothing, on one pixel of the window's bare corner, so that nobody sees it.
class Notice final : public QWidget {
public:
    static inline const QString kName = QStringLiteral("Notice");

    explicit Notice(QWidget* window)
        : QWidget(window)
    {
        setObjectName(kName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(window->width() - 1, window->height() - 1, 1, 1);
    }
};

QAccessibleInterface* accessibleNotice(const QString&, QObject* object)
{
    auto* notice = dynamic_cast<Notice*>(object);
    return notice != nullptr ? new QAccessibleWidget(notice, QAccessible::Notification) : nullptr;
}

} // namespace
#endif

void announce(QWidget* source, const QString& message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, message);
    QAccessible::updateAccessibility(&event);
#else
    // Qt before 6.8 has no announcements, and tells of a changed name or description without
    // the new text, which Orca then cannot speak; a notification that appears it does speak.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleNotice);
        return true;
    }();
    static_cast<void>(factoryInstalled);
    QWidget* notice = source->window()->findChild<QWidget*>(Notice::kName, Qt::FindDirectChildrenOnly);
    if (notice == nullptr)
        notice = new Notice(source->window());
    notice->hide();
    notice->setAccessibleName(message);
    notice->show();
#endif
}
