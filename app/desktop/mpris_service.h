#pragma once
// The window's player on the session bus as an MPRIS 2 media player
// (org.mpris.MediaPlayer2.orvana at /org/mpris/MediaPlayer2), so that media
// keys, the desktop's media controls and tools such as playerctl drive it.
// Every command runs through the window's actions, as a tool button's click
// would, once the event loop gets to it: the caller is answered at once,
// even when the command ends in a message box.
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

#include "app/desktop/mpris_state.h"

namespace orvana::app {

class TForm1;
class TMprisPlayerAdaptor;

// Errors go back to the caller through its QDBusContext: calls reach the
// adaptors, but the context is the registered object's.
class TMprisService : public QObject, public QDBusContext {
  Q_OBJECT

 public:
  static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.orvana";
  static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

  TMprisService(TForm1& form, QDBusConnection connection, QObject* parent = nullptr);
  ~TMprisService() override;

  // Puts the player on the bus: under kServiceName, or, when another program
  // holds it, under kServiceName + ".instance<pid>". False without a bus.
  bool Register();
  // The bus name taken; empty before Register or when it failed.
  const QString& ServiceName() const { return serviceName_; }

  // org.mpris.MediaPlayer2
  void Raise();
  void Quit();

  // org.mpris.MediaPlayer2.Player
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  void Seek(qint64 offsetUs);
  void SetPosition(const QString& trackId, qint64 positionUs);
  // A local file's address, or a station's (http, https): false for others.
  bool OpenUri(const QString& uri);
  void SetLoopStatus(const QString& status);  // "None", "Playlist"; others are ignored
  void SetShuffle(bool shuffle);
  void SetVolume(double volume);

  TMprisState State() const;
  qint64 PositionUs() const;

 private:
  void Post(std::function<void()> command);
  void SchedulePublish();
  void PublishChanges();
  void EmitSeeked(std::int64_t positionMs);

  TForm1& form_;
  TMprisPlayerAdaptor* playerAdaptor_;
  QDBusConnection connection_;
  QString serviceName_;
  TMprisState published_;
  QTimer publishTimer_;  // gathers the changes of one turn of the loop
};

}  // namespace orvana::app
