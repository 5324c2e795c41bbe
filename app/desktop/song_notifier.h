#pragma once
// A desktop notification (org.freedesktop.Notifications) each time the song
// heard changes, while the settings ask for it: the title, the artist, and
// the cover or else the program's icon. Each one replaces the one before
// rather than stacking up. Calls never wait for the answer; without a
// notification service nothing happens.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <optional>

namespace orvana::app {

class TForm1;

// What one notification says.
struct TSongNotice {
  QString summary;
  QString body;
  QString imagePath;  // empty: the program's icon
  bool operator==(const TSongNotice&) const = default;
};

class TSongNotifier : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kServiceName = "org.freedesktop.Notifications";
  static constexpr const char* kObjectPath = "/org/freedesktop/Notifications";

  TSongNotifier(TForm1& form, QDBusConnection connection, QObject* parent = nullptr);

  // Shows `notice` in place of the last one shown.
  void Notify(const TSongNotice& notice);

 private:
  void SongHeard();
  void Send(const TSongNotice& notice);

  TForm1& form_;
  QDBusConnection connection_;
  uint shownId_ = 0;     // the service's id of the last notification; 0 before one
  bool waiting_ = false;  // a call is under way: its id is not known yet
  std::optional<TSongNotice> next_;  // sent once the call under way is answered
  int songsHeard_ = -1;   // the song last told of, and its title: a station's
  QString lastTitle_;     // other news repeats them
};

}  // namespace orvana::app
