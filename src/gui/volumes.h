#pragma once

#include <QString>
#include <QStringList>

namespace quorrix::gui {

// The drives a drive list offers, "/" separated: the drive letters on Windows ("C:/"), the
// mounted file systems that hold user files elsewhere ("/", "/home", "/media/usb"), without
// the kernel's own (proc, sys, device and control file systems).
QStringList volumeRoots();

// The root of the drive or mounted file system that holds an existing folder, "/" separated.
QString volumeRootOf(const QString& folder);

} // namespace quorrix::gui
