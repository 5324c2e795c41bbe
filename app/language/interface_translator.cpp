#include "app/language/interface_translator.h"

#include <QCoreApplication>

namespace orvana::app {

std::unique_ptr<QTranslator> InstallInterfaceTranslator(TInterfaceLanguage language) {
  if (language == TInterfaceLanguage::Japanese) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral(":/i18n/orvana_en.qm")) ||
      !QCoreApplication::installTranslator(translator.get()))
    return nullptr;
  return translator;
}

}  // namespace orvana::app
