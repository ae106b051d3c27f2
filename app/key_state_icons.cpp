#include "app/key_state_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "session/catalogue_presentation.h"

namespace tabulorix {

namespace {

constexpr int kSize = 16;

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A key: a ring with a bit.
void DrawKey(QPainter& painter, QColor colour) {
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(2, 2, 6, 6));
    painter.drawLine(QPointF(7, 7), QPointF(14, 14));
    painter.drawLine(QPointF(11, 11), QPointF(13, 9));
}

// An index: a small stack of lines, filled for a unique one.
void DrawIndex(QPainter& painter, QRectF area, QColor colour, bool unique) {
    painter.setPen(QPen(colour, 1));
    painter.setBrush(unique ? QBrush(colour) : QBrush(Qt::white));
    painter.drawRect(area);
    painter.setPen(QPen(unique ? Qt::white : colour, 1));
    for (qreal y = area.top() + 2; y < area.bottom() - 1; y += 2.5)
        painter.drawLine(QPointF(area.left() + 2, y), QPointF(area.right() - 2, y));
}

QPixmap KeyStatePixmap(int stateImage) {
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xc0, 0x90, 0x10);
    const QColor blue(0x2e, 0x6d, 0xa4);
    switch (stateImage) {
        case 1: DrawKey(painter, gold); break;
        case 2: DrawIndex(painter, QRectF(3.5, 2.5, 9, 11), blue, true); break;
        case 3: DrawIndex(painter, QRectF(3.5, 2.5, 9, 11), blue, false); break;
        case 4:
            DrawIndex(painter, QRectF(1.5, 1.5, 8, 10), blue, true);
            DrawIndex(painter, QRectF(6.5, 4.5, 8, 10), blue, false);
            break;
        default: break;
    }
    return pixmap;
}

// A sheet with a header band: tables solid, views dotted.
void DrawSheet(QPainter& painter, QColor colour, bool dotted) {
    painter.setPen(QPen(colour, 1, dotted ? Qt::DotLine : Qt::SolidLine));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 2.5, 13, 11));
    painter.fillRect(QRectF(2, 3, 12, 3), colour);
    painter.setPen(QPen(colour, 1));
    painter.drawLine(QPointF(3, 9), QPointF(13, 9));
    painter.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
}

QPixmap TreePixmap(int stateImage) {
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (stateImage) {
        case tree_image::kDesign:
        case tree_image::kDesignNotRead: {
            const QColor colour = stateImage == tree_image::kDesign ? QColor(0x3c, 0x8d, 0x40) : QColor(0x88, 0x88, 0x88);
            painter.setPen(QPen(colour.darker(130), 1));
            painter.setBrush(colour);
            QPainterPath page;
            page.moveTo(3.5, 1.5);
            page.lineTo(10.5, 1.5);
            page.lineTo(13.5, 4.5);
            page.lineTo(13.5, 14.5);
            page.lineTo(3.5, 14.5);
            page.closeSubpath();
            painter.drawPath(page);
            break;
        }
        case tree_image::kSchema: {
            const QColor colour(0x2e, 0x6d, 0xa4);
            painter.setPen(QPen(colour.darker(130), 1));
            painter.setBrush(colour);
            painter.drawRect(QRectF(2.5, 4.5, 11, 9));
            painter.setBrush(colour.lighter(150));
            painter.drawEllipse(QRectF(2.5, 2, 11, 5));
            break;
        }
        case tree_image::kCategory:
            painter.setPen(QPen(QColor(0xb0, 0x80, 0x20), 1));
            painter.setBrush(QColor(0xf0, 0xc8, 0x50));
            painter.drawRect(QRectF(1.5, 4.5, 13, 9));
            painter.drawRect(QRectF(1.5, 2.5, 6, 2));
            break;
        case tree_image::kTable: DrawSheet(painter, QColor(0x2e, 0x6d, 0xa4), false); break;
        case tree_image::kView: DrawSheet(painter, QColor(0x7a, 0x4f, 0xa0), true); break;
        default: break;
    }
    return pixmap;
}

}  // namespace

QIcon KeyStateIcon(int stateImage) {
    static const std::array<QIcon, 5> icons = [] {
        std::array<QIcon, 5> made;
        for (int i = 0; i < 5; ++i) made[static_cast<std::size_t>(i)] = QIcon(KeyStatePixmap(i));
        return made;
    }();
    return stateImage >= 0 && stateImage < 5 ? icons[static_cast<std::size_t>(stateImage)] : icons[0];
}

QIcon TreeStateIcon(int stateImage) {
    static const std::array<QIcon, 13> icons = [] {
        std::array<QIcon, 13> made;
        for (int i = 0; i < 13; ++i) made[static_cast<std::size_t>(i)] = QIcon(TreePixmap(i));
        return made;
    }();
    return stateImage >= 0 && stateImage < 13 ? icons[static_cast<std::size_t>(stateImage)] : QIcon();
}

}  // namespace tabulorix
