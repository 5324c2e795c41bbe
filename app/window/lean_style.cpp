#include "app/window/lean_style.h"

#include <QStyleOption>
#include <QWidget>

#include "app/window/png_image.h"

namespace orvana::app {
namespace {

QString StyleImage(const char* name) {
  return QStringLiteral(":/qt-project.org/styles/commonstyle/images/") + QLatin1String(name);
}

bool RightToLeft(const QStyleOption* option, const QWidget* widget) {
  if (option != nullptr) return option->direction == Qt::RightToLeft;
  return widget != nullptr ? widget->layoutDirection() == Qt::RightToLeft : false;
}

}  // namespace

QIcon TLeanStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                               const QWidget* widget) const {
  if (standardIcon == SP_ToolBarHorizontalExtensionButton) {
    if (RightToLeft(option, widget))
      return PngIcon({StyleImage("toolbar-ext-h-rtl-8.png"), StyleImage("toolbar-ext-h-rtl-16.png"),
                      StyleImage("toolbar-ext-h-rtl-32.png")});
    return PngIcon({StyleImage("toolbar-ext-h-8.png"), StyleImage("toolbar-ext-h-16.png"),
                    StyleImage("toolbar-ext-h-32.png")});
  }
  if (standardIcon == SP_ToolBarVerticalExtensionButton)
    return PngIcon({StyleImage("toolbar-ext-v-5.png"), StyleImage("toolbar-ext-v-10.png"),
                    StyleImage("toolbar-ext-v-20.png")});
  return QProxyStyle::standardIcon(standardIcon, option, widget);
}

}  // namespace orvana::app
