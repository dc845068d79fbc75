#include "gui/frm_main_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace quorrix::gui {

namespace {

using Draw = std::function<void(QPainter&, qreal size)>;

QIcon drawnIcon(const Draw& draw)
{
    QIcon icon;
    for (const int size : { 16, 24, 32 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A rounded badge with a short text: filled for an action, outlined for its settings.
QIcon badge(const QString& text, const QColor& colour, bool outlined)
{
    return drawnIcon([=](QPainter& painter, qreal size) {
        const qreal pen = size / 10.0;
        const QRectF box(pen / 2, pen / 2, size - pen, size - pen);
        painter.setPen(QPen(colour, pen));
        painter.setBrush(outlined ? QBrush(Qt::white) : QBrush(colour));
        painter.drawRoundedRect(box, size / 6.0, size / 6.0);
        if (outlined) {
            // A dotted inner line tells the settings key apart even without text.
            painter.setPen(QPen(colour, pen / 2, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(box.adjusted(pen, pen, -pen, -pen), size / 8.0, size / 8.0);
        }
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(qMax(5, qRound(size * (text.size() > 2 ? 0.34 : 0.5))));
        painter.setFont(font);
        painter.setPen(outlined ? colour : QColor(Qt::white));
        painter.drawText(box, Qt::AlignCenter, text);
    });
}

QIcon printer(bool outlined)
{
    const QColor body(70, 70, 80);
    return drawnIcon([=](QPainter& painter, qreal size) {
        const qreal unit = size / 16.0;
        painter.setPen(QPen(body, unit));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4 * unit, 1 * unit, 8 * unit, 6 * unit)); // paper in
        painter.setBrush(outlined ? QBrush(Qt::white) : QBrush(body));
        painter.drawRoundedRect(QRectF(1 * unit, 6 * unit, 14 * unit, 6 * unit), unit, unit);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4 * unit, 10 * unit, 8 * unit, 5 * unit)); // paper out
        if (outlined) {
            painter.setPen(QPen(body, unit / 2, Qt::DotLine));
            painter.drawLine(QPointF(2 * unit, 8 * unit), QPointF(14 * unit, 8 * unit));
        }
    });
}

// An arrow up or down, with a bar at its tip for "to the top" and "to the bottom".
QIcon arrow(bool up, bool bar)
{
    return drawnIcon([=](QPainter& painter, qreal size) {
        const qreal unit = size / 16.0;
        QPainterPath path;
        path.moveTo(8 * unit, 3 * unit);
        path.lineTo(14 * unit, 10 * unit);
        path.lineTo(10 * unit, 10 * unit);
        path.lineTo(10 * unit, 15 * unit);
        path.lineTo(6 * unit, 15 * unit);
        path.lineTo(6 * unit, 10 * unit);
        path.lineTo(2 * unit, 10 * unit);
        path.closeSubpath();
        if (!up)
            path = QTransform(1, 0, 0, -1, 0, size).map(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 90, 170));
        painter.drawPath(path);
        if (bar) {
            const qreal y = up ? 0.5 * unit : 13.5 * unit;
            painter.drawRect(QRectF(2 * unit, y, 12 * unit, 2 * unit));
        }
    });
}

QIcon sorting(bool ascending)
{
    return drawnIcon([=](QPainter& painter, qreal size) {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(qMax(5, qRound(size * 0.45)));
        painter.setFont(font);
        painter.setPen(QColor(30, 90, 170));
        const QRectF top(0, 0, size * 0.6, size / 2);
        const QRectF bottom(0, size / 2, size * 0.6, size / 2);
        painter.drawText(top, Qt::AlignCenter, ascending ? "A" : "Z");
        painter.drawText(bottom, Qt::AlignCenter, ascending ? "Z" : "A");
        // The arrow points from the first letter to the last.
        const qreal x = size * 0.8;
        painter.setPen(QPen(QColor(30, 90, 170), size / 12.0));
        painter.drawLine(QPointF(x, size * 0.1), QPointF(x, size * 0.85));
        QPainterPath head;
        head.moveTo(x - size * 0.15, size * 0.7);
        head.lineTo(x, size * 0.9);
        head.lineTo(x + size * 0.15, size * 0.7);
        painter.drawPath(head);
    });
}

QIcon funnel()
{
    return drawnIcon([](QPainter& painter, qreal size) {
        const qreal unit = size / 16.0;
        QPainterPath path;
        path.moveTo(1 * unit, 2 * unit);
        path.lineTo(15 * unit, 2 * unit);
        path.lineTo(9.5 * unit, 8 * unit);
        path.lineTo(9.5 * unit, 14 * unit);
        path.lineTo(6.5 * unit, 12 * unit);
        path.lineTo(6.5 * unit, 8 * unit);
        path.closeSubpath();
        painter.setPen(QPen(QColor(90, 60, 20), unit));
        painter.setBrush(QColor(230, 180, 60));
        painter.drawPath(path);
    });
}

QIcon star()
{
    return drawnIcon([](QPainter& painter, qreal size) {
        QPainterPath path;
        const QPointF centre(size / 2, size / 2 + size / 20);
        for (int corner = 0; corner < 10; ++corner) {
            const qreal radius = (corner % 2 == 0 ? 0.48 : 0.2) * size;
            const qreal angle = -std::numbers::pi / 2 + corner * std::numbers::pi / 5;
            const QPointF point
                = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
            if (corner == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        path.closeSubpath();
        painter.setPen(QPen(QColor(150, 110, 0), size / 16.0));
        painter.setBrush(QColor(250, 200, 40));
        painter.drawPath(path);
    });
}

struct BadgeKey {
    const char* key;
    const char* text;
    QRgb colour;
};

// The output actions, each in its own colour; "<key>Settings" is the outlined badge.
constexpr std::array kBadges {
    BadgeKey { "TIF", "TIF", 0xff00806e },
    BadgeKey { "DXF", "DXF", 0xffd06000 },
    BadgeKey { "DWG", "DWG", 0xff7a4a1c },
    BadgeKey { "Export3D", "3D", 0xff6a2fa0 },
    BadgeKey { "EDr", "eDr", 0xff2e8b2e },
    BadgeKey { "PDF", "PDF", 0xffc01818 },
    BadgeKey { "RunMacro", "M", 0xff1c3f8c },
};

QIcon badgeIcon(const QString& key)
{
    for (const BadgeKey& entry : kBadges) {
        const QString action = QLatin1String(entry.key);
        // The TIFF settings key is spelt "TIFFSettings", not "TIFSettings".
        const QString settings
            = (action == "TIF" ? QStringLiteral("TIFF") : action) + QStringLiteral("Settings");
        if (key == action || key == settings)
            return badge(
                QLatin1String(entry.text), QColor::fromRgba(entry.colour), key == settings);
    }
    return {};
}

} // namespace

QIcon commandIcon(const QString& key, const QStyle* style)
{
    if (key == "Print" || key == "PrintSettings")
        return printer(key == "PrintSettings");
    if (QIcon icon = badgeIcon(key); !icon.isNull())
        return icon;
    if (key == "ListUp" || key == "ListTop")
        return arrow(true, key == "ListTop");
    if (key == "ListDown" || key == "ListBottom")
        return arrow(false, key == "ListBottom");
    if (key == "SortUp" || key == "SortDown")
        return sorting(key == "SortUp");
    if (key == "Filter")
        return funnel();
    if (key == "Favorites")
        return star();
    if (key == "PrePost")
        return badge(QStringLiteral("Ab"), QColor(80, 80, 90), true);

    struct StandardKey {
        const char* key;
        QStyle::StandardPixmap pixmap;
    };
    static constexpr std::array kStandard {
        StandardKey { "FileNew", QStyle::SP_FileIcon },
        StandardKey { "FileOpen", QStyle::SP_DirOpenIcon },
        StandardKey { "FileSaveAs", QStyle::SP_DialogSaveButton },
        StandardKey { "AddSel", QStyle::SP_ArrowRight },
        StandardKey { "AddAll", QStyle::SP_MediaSeekForward },
        StandardKey { "DelSel", QStyle::SP_ArrowLeft },
        StandardKey { "DelAll", QStyle::SP_MediaSeekBackward },
        StandardKey { "PreviewBitmap", QStyle::SP_FileDialogContentsView },
    };
    if (style)
        for (const StandardKey& entry : kStandard)
            if (key == QLatin1String(entry.key))
                return style->standardIcon(entry.pixmap);
    return {};
}

} // namespace quorrix::gui
