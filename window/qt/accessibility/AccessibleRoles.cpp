#include "window/qt/accessibility/AccessibleRoles.h"

#include "window/qt/accessibility/AccessibleTextField.h"
#include "window/qt/accessibility/BoundedRangesReply.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QWidget>

namespace {

// Qt asks with each class name of the object's hierarchy in turn, the most derived first.
QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("QLineEdit"))
        return new AccessibleTextField(static_cast<QLineEdit*>(widget));
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        letBoundedRangesReplyBeSent();
        return true;
    }();
    static_cast<void>(installed);
}
