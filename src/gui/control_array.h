#pragma once

#include <QString>

namespace quorrix::gui {

// Control arrays. The members of an array share one name: the language files translate
// them with one set of keys and the program's rules address them by name and index. Qt
// object names stay unique so that every member can be found by its name: a member is
// named <array name>_<index>, for example "cmbPrinter_3" or "mnuFavEntry_0".

QString controlArrayMemberName(const QString& arrayName, int index);

// The name the language files use: the array name of a member, otherwise the object name.
QString controlName(const QString& objectName);

// The index of an array member; -1 for a control that belongs to no array.
int controlIndex(const QString& objectName);

} // namespace quorrix::gui
