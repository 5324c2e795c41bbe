#pragma once
// Puts the interface's language in place before any window is built: the
// English catalogue for English, nothing at all for Japanese (the texts in
// the code are Japanese).
#include <QTranslator>
#include <memory>

#include "app/language/interface_language.h"

namespace orvana::app {

// Installed into the application while the returned translator lives; null
// for Japanese, or when the catalogue cannot be loaded.
std::unique_ptr<QTranslator> InstallInterfaceTranslator(TInterfaceLanguage language);

}  // namespace orvana::app
