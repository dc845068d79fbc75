#pragma once

#include <QString>
#include <string>

namespace quorrix::gui {

// The engine's texts are UTF-8.
inline QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

inline std::string toStdString(const QString& text)
{
    return text.toStdString();
}

} // namespace quorrix::gui
