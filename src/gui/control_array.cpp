#include "gui/control_array.h"

namespace quorrix::gui {

namespace {

// Position of the "_" that starts a member's index, or -1 when the name has no index.
qsizetype indexSeparator(const QString& objectName)
{
    const qsizetype separator = objectName.lastIndexOf(u'_');
    if (separator <= 0 || separator == objectName.size() - 1)
        return -1;
    for (qsizetype i = separator + 1; i < objectName.size(); ++i) {
        const char16_t c = objectName[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
    }
    bool ok = false;
    objectName.mid(separator + 1).toInt(&ok);
    return ok ? separator : -1;
}

} // namespace

QString controlArrayMemberName(const QString& arrayName, int index)
{
    return arrayName + u'_' + QString::number(index);
}

QString controlName(const QString& objectName)
{
    const qsizetype separator = indexSeparator(objectName);
    return separator < 0 ? objectName : objectName.left(separator);
}

int controlIndex(const QString& objectName)
{
    const qsizetype separator = indexSeparator(objectName);
    return separator < 0 ? -1 : objectName.mid(separator + 1).toInt();
}

} // namespace quorrix::gui
