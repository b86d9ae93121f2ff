// SPDX-License-Identifier: GPL-2.0-or-later
// The notification service's two methods we use, GetCapabilities (once, to learn whether the
// body may hold markup) and Notify, called asynchronously.
#include "ui/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kCallTimeoutMilliseconds = 5000;

QDBusMessage Call(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

} // namespace

DesktopNotifier::DesktopNotifier(std::function<void()> askAttention)
    : askAttention(std::move(askAttention))
{}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::Notify(const QString& summary, const QString& body)
{
    waiting = Message{summary, body};
    if (!callOnItsWay)
        SendNext();
}

void DesktopNotifier::SendNext()
{
    if (!waiting)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Fail();
        return;
    }
    if (!bodyMarkup) {
        AskCapabilities();
        return;
    }
    const Message message = *std::exchange(waiting, std::nullopt);
    QDBusMessage notify = Call(QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.tallyhawk.Tallyhawk"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1)); // normal
    notify << QStringLiteral("Tallyhawk") << replacesId << QStringLiteral("tallyhawk")
           << message.summary << (*bodyMarkup ? message.body.toHtmlEscaped() : message.body)
           << QStringList() << hints << -1;
    callOnItsWay = true;
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(notify, kCallTimeoutMilliseconds), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::OnNotified);
}

void DesktopNotifier::AskCapabilities()
{
    callOnItsWay = true;
    auto* call = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(Call(QStringLiteral("GetCapabilities")),
                                                kCallTimeoutMilliseconds),
        this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::OnCapabilities);
}

void DesktopNotifier::OnCapabilities(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    callOnItsWay = false;
    const QDBusPendingReply<QStringList> reply = *call;
    if (reply.isError()) {
        Fail();
        return;
    }
    bodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
    SendNext();
}

void DesktopNotifier::OnNotified(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    callOnItsWay = false;
    const QDBusPendingReply<unsigned> reply = *call;
    if (reply.isError()) {
        // The service may have gone; ask it again next time, it may be back.
        bodyMarkup.reset();
        replacesId = 0;
        Fail();
        return;
    }
    replacesId = reply.value();
    SendNext();
}

void DesktopNotifier::Fail()
{
    waiting.reset();
    askAttention();
}
