#include "app/desktop/mpris_root_adaptor.h"

#include "app/desktop/mpris_service.h"

namespace orvana::app {

TMprisRootAdaptor::TMprisRootAdaptor(TMprisService& service) : QDBusAbstractAdaptor(&service), service_(service) {}

QString TMprisRootAdaptor::Identity() const { return QStringLiteral("Orvana"); }

QString TMprisRootAdaptor::DesktopEntry() const { return QStringLiteral("orvana"); }

QStringList TMprisRootAdaptor::SupportedUriSchemes() const {
  return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")};
}

QStringList TMprisRootAdaptor::SupportedMimeTypes() const {
  return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl"), QStringLiteral("audio/mpegurl"),
          QStringLiteral("audio/x-scpls")};
}

void TMprisRootAdaptor::Raise() { service_.Raise(); }

void TMprisRootAdaptor::Quit() { service_.Quit(); }

}  // namespace orvana::app
