#pragma once

#include <QIcon>
#include <QString>

class QStyle;

namespace quorrix::gui {

// The pictures of the main window's toolbar keys and of the buttons that share them, drawn at
// run time so that the program ships no image files. An action is a filled badge, its
// settings key the same badge outlined. Besides the toolbar keys this knows "ListUp",
// "ListDown", "ListTop", "ListBottom", "SortUp", "SortDown", "Filter", "Favorites" and "PrePost".
// An unknown key gives a null icon.
QIcon commandIcon(const QString& key, const QStyle* style);

} // namespace quorrix::gui
