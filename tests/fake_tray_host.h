#pragma once
// A notification area the tests control: it shows icons while available,
// and clicks are whatever the test sends.
#include <QIcon>
#include <QString>
#include <map>
#include <memory>

#include "app/tray/notify_window.h"
#include "app/tray/tray_icon_host.h"

namespace orvana::testing {

class TFakeTrayHost : public app::TTrayIconHost {
 public:
  struct TShownIcon {
    QIcon icon;
    QString tip;
  };

  explicit TFakeTrayHost(bool available) : available_(available) {}

  bool Available() const override { return available_; }
  bool SetIcon(int id, const QIcon& icon, const QString& tip) override {
    if (!available_ || refuses) return false;
    icons[id] = {icon, tip};
    return true;
  }
  void RemoveIcon(int id) override { icons.erase(id); }

  void SetAvailable(bool available) {
    available_ = available;
    if (!available) icons.clear();
    emit availabilityChanged(available);
  }
  void Send(int id, app::TTrayMessage message, QPoint at = {}) { emit this->message(id, message, at); }
  void Wheel(int id, int notches) { emit wheel(id, notches); }
  void Click(int id, Qt::MouseButton button, QPoint at = {}) {
    using app::TTrayMessage;
    Send(id, button == Qt::LeftButton ? TTrayMessage::kLeftDown : button == Qt::RightButton ? TTrayMessage::kRightDown : TTrayMessage::kMiddleDown, at);
    Send(id, button == Qt::LeftButton ? TTrayMessage::kLeftUp : button == Qt::RightButton ? TTrayMessage::kRightUp : TTrayMessage::kMiddleUp, at);
  }

  std::map<int, TShownIcon> icons;
  bool refuses = false;

 private:
  bool available_;
};

// Makes the next tray dispatchers use fake hosts (most preferred first), and
// points `hosts` at them as they are made.
inline void UseFakeTrayHosts(std::vector<TFakeTrayHost*>& hosts, std::vector<bool> available) {
  app::SetTrayHostFactory([&hosts, available] {
    app::TTrayHosts made;
    hosts.clear();
    for (bool each : available) {
      auto host = std::make_unique<TFakeTrayHost>(each);
      hosts.push_back(host.get());
      made.push_back(std::move(host));
    }
    return made;
  });
}

}  // namespace orvana::testing
