// The media players on the session bus, as MPRIS 2 has them: every name under
// org.mpris.MediaPlayer2 is a player, its PlaybackStatus read once when the watch starts or the
// name appears and then taken from the PropertiesChanged signals the player sends; a player whose
// name leaves the bus, or whose connection does, is reported stopped. Players are told apart by
// their unique connection names, so one with two names is one player. Everything arrives as a
// signal or an asynchronous reply on Qt's event loop: nothing polls, and nothing waits for a
// player. With no session bus it says so on standard error and reports nothing.
#pragma once

#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <QString>

#include "platform/shared/backend.h"

namespace coverstrip::qt {

class MprisWatcher final : public QObject {
  Q_OBJECT

 public:
  // Connects to the bus once the event loop runs, after the window has shown.
  explicit MprisWatcher(Backend& backend);

 private slots:
  void PropertiesChanged(const QDBusMessage& message);
  void NameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

 private:
  void Start();
  // Asks a player, by either of its names, for its playback; the answer comes from its
  // connection's unique name.
  void AskPlayback(const QString& name);
  void Report(const QString& uniqueName, const QString& status);
  void Left(const QString& uniqueName);

  Backend& backend_;
  // The players heard of, by unique name.
  QHash<QString, PlayerId> players_;
  PlayerId nextId_ = 1;
};

}  // namespace coverstrip::qt
