#pragma once

#include <QColor>
#include <QString>
#include <string>

#include "graph/model.h"

namespace kurvex::shell {

inline QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
  return text.toStdString();
}

/// The model keeps colours as 0x00BBGGRR: red sits in the low byte.
inline QColor ToQColor(TColor color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

}  // namespace kurvex::shell
