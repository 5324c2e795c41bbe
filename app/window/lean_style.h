#pragma once
// The desktop's own style, with the tool bar's overflow arrow read as the
// PNG it is: the style itself would load every image plugin installed to
// find that out, at start-up, for a button that is rarely shown.
#include <QProxyStyle>

namespace orvana::app {

class TLeanStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace orvana::app
