#include "platform/qt/mpris_watcher.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

namespace coverstrip::qt {
namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kPlayerNamePrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPlayerPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPlaybackStatus = QStringLiteral("PlaybackStatus");

Playback PlaybackOf(const QString& status) {
  if (status == QLatin1String("Playing")) return Playback::kPlaying;
  if (status == QLatin1String("Paused")) return Playback::kPaused;
  return Playback::kStopped;
}

// A variant as the bus hands it over: the value itself, or wrapped once more.
QString StatusText(const QVariant& value) {
  if (value.canConvert<QDBusVariant>()) return value.value<QDBusVariant>().variant().toString();
  return value.toString();
}

// Runs done with the reply once the call has been answered.
template <typename Done>
void WhenAnswered(const QDBusPendingCall& call, QObject* context, Done done) {
  auto* watcher = new QDBusPendingCallWatcher(call, context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [watcher, done](QDBusPendingCallWatcher*) {
                     watcher->deleteLater();
                     if (!watcher->isError()) done(watcher->reply());
                   });
}

}  // namespace

MprisWatcher::MprisWatcher(Backend& backend) : backend_(backend) {
  QTimer::singleShot(0, this, [this] { Start(); });
}

void MprisWatcher::Start() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fprintf(stderr,
                 "coverstrip: no session bus to hear media players on (%s); "
                 "--peek-while-paused does nothing\n",
                 qPrintable(bus.lastError().message()));
    return;
  }
  // Listening first, so that no player that appears meanwhile is missed.
  bus.connect(QString(), kPlayerPath, kProperties, QStringLiteral("PropertiesChanged"),
              {kPlayerInterface}, QString(), this, SLOT(PropertiesChanged(QDBusMessage)));
  bus.connect(kBusService, kBusPath, kBusService, QStringLiteral("NameOwnerChanged"), this,
              SLOT(NameOwnerChanged(QString, QString, QString)));
  const QDBusMessage listNames = QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService,
                                                                QStringLiteral("ListNames"));
  WhenAnswered(bus.asyncCall(listNames), this, [this](const QDBusMessage& reply) {
    for (const QString& name : reply.arguments().value(0).toStringList()) {
      if (name.startsWith(kPlayerNamePrefix)) AskPlayback(name);
    }
  });
}

void MprisWatcher::AskPlayback(const QString& name) {
  QDBusMessage get =
      QDBusMessage::createMethodCall(name, kPlayerPath, kProperties, QStringLiteral("Get"));
  get << kPlayerInterface << kPlaybackStatus;
  WhenAnswered(QDBusConnection::sessionBus().asyncCall(get), this,
               [this](const QDBusMessage& reply) {
                 Report(reply.service(), StatusText(reply.arguments().value(0)));
               });
}

void MprisWatcher::PropertiesChanged(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.value(0).toString() != kPlayerInterface) return;
  const auto changed = qdbus_cast<QVariantMap>(arguments.value(1));
  if (const auto status = changed.constFind(kPlaybackStatus); status != changed.constEnd()) {
    Report(message.service(), StatusText(*status));
  } else if (qdbus_cast<QStringList>(arguments.value(2)).contains(kPlaybackStatus)) {
    AskPlayback(message.service());
  }
}

void MprisWatcher::NameOwnerChanged(const QString& name, const QString& oldOwner,
                                    const QString& newOwner) {
  if (name.startsWith(kPlayerNamePrefix)) {
    if (!oldOwner.isEmpty()) Left(oldOwner);
    if (!newOwner.isEmpty()) AskPlayback(name);
  } else if (name.startsWith(QLatin1Char(':')) && newOwner.isEmpty()) {
    Left(name);
  }
}

void MprisWatcher::Report(const QString& uniqueName, const QString& status) {
  if (uniqueName.isEmpty()) return;
  auto player = players_.find(uniqueName);
  if (player == players_.end()) player = players_.insert(uniqueName, nextId_++);
  backend_.input().MediaPlaybackChanged(*player, PlaybackOf(status));
}

void MprisWatcher::Left(const QString& uniqueName) {
  if (const auto player = players_.find(uniqueName); player != players_.end()) {
    const PlayerId id = *player;
    players_.erase(player);
    backend_.input().MediaPlaybackChanged(id, Playback::kStopped);
  }
}

}  // namespace coverstrip::qt
