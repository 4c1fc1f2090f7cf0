#include "window/qt/accessibility/BoundedRangesReply.h"

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>

namespace {

// One range of an AT-SPI bounded-ranges answer: D-Bus type (iisv).
struct TextRange {
    int start = 0;
    int end = 0;
    QString text;
    QDBusVariant value;
};

QDBusArgument& operator<<(QDBusArgument& argument, const TextRange& range)
{
    argument.beginStructure();
    argument << range.start << range.end << range.text << range.value;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, TextRange& range)
{
    argument.beginStructure();
    argument >> range.start >> range.end >> range.text >> range.value;
    argument.endStructure();
    return argument;
}

// Stands for the bridge's list type until the bridge first uses it: types of one name share
// one id, so the bridge's list takes this one's, with its D-Bus operators.
struct BridgeTextRangeList {};

// The bridge's own name of its list type, as Qt spells a list of its range structure.
constexpr char kBridgeListName[] = "QList<QSpiTextRange>";

void writeEmptyRangeList(QDBusArgument& argument, const void*)
{
    argument << QList<TextRange>();
}

void readNoRanges(const QDBusArgument& argument, void*)
{
    QList<TextRange> ignored;
    argument >> ignored;
}

} // namespace

Q_DECLARE_METATYPE(TextRange)
Q_DECLARE_METATYPE(BridgeTextRangeList)

void letBoundedRangesReplyBeSent()
{
    static const bool done = [] {
        qDBusRegisterMetaType<TextRange>();
        qDBusRegisterMetaType<QList<TextRange>>();
        QMetaType bridgeList = QMetaType::fromName(kBridgeListName);
        if (!bridgeList.isValid()) {
            bridgeList = QMetaType::fromType<BridgeTextRangeList>();
            QMetaType::registerNormalizedTypedef(kBridgeListName, bridgeList);
        }
        QDBusMetaType::registerMarshallOperators(bridgeList, writeEmptyRangeList, readNoRanges);
        return true;
    }();
    static_cast<void>(done);
}
