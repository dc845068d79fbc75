#include "gui/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>

namespace quorrix::gui {

namespace {

#ifndef Q_OS_WIN
// Where the system mounts what is not a user's volume. Removable media that a desktop
// mounts below /run/media stay.
bool isSystemMount(const QString& root, const QByteArray& type)
{
    static const std::array<QByteArray, 12> kSystemTypes { "proc", "sysfs", "devtmpfs", "devpts",
        "cgroup", "cgroup2", "securityfs", "debugfs", "tracefs", "mqueue", "pstore", "bpf" };
    if (std::find(kSystemTypes.begin(), kSystemTypes.end(), type) != kSystemTypes.end())
        return true;
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    for (const char* prefix : { "/proc", "/sys", "/dev", "/run", "/snap", "/boot" })
        if (root == QLatin1String(prefix) || root.startsWith(QLatin1String(prefix) + '/'))
            return true;
    // Memory file systems are scratch space, except the temporary folder users do use.
    return type == "tmpfs" && root != QLatin1String("/tmp");
}
#endif

} // namespace

QStringList volumeRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        roots << drive.absoluteFilePath();
#else
    roots << QStringLiteral("/");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && !roots.contains(root)
            && !isSystemMount(root, volume.fileSystemType()))
            roots << root;
    }
    std::sort(roots.begin(), roots.end());
#endif
    return roots;
}

QString volumeRootOf(const QString& folder)
{
#ifndef Q_OS_WIN
    const QStorageInfo volume(folder);
    if (volume.isValid() && !volume.rootPath().isEmpty())
        return volume.rootPath();
#endif
    QDir dir(folder);
    while (dir.cdUp()) { }
    return dir.absolutePath();
}

} // namespace quorrix::gui
