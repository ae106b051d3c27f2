#include "app/window_icons.h"

#include <QPainter>
#include <QPixmap>
#include <cstring>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

struct Glyph {
    const char* action;
    const char* text;
    QRgb colour;
};

// The letters of the pictures, in the user's language where they stand for
// a word ("開", open).
constexpr Glyph kGlyphs[] = {
    {"ActionReverseDB", "DB", 0x2e6da4},
    {"ActionOpenDesignFile", QT_TRANSLATE_NOOP("UiText", "開"), 0x3c8d40},
    {"ActionOutputDesignFile", QT_TRANSLATE_NOOP("UiText", "保"), 0x3c8d40},
    {"ActionPrint", QT_TRANSLATE_NOOP("UiText", "印"), 0x555555},
    {"ActionArrow", "↖", 0x444444},
    {"ActionText", "A", 0x7a4fa0},
    {"ActionDeleteText", "A×", 0xb03a2e},
    {"ZoomUp", "+", 0x2e6da4},
    {"ZoomDown", "−", 0x2e6da4},
    {"ActionReLayout", QT_TRANSLATE_NOOP("UiText", "配"), 0xc07a10},
    {"ActionToWord", "W", 0x2b579a},
    {"ActionOutputCSVFile", "CSV", 0x217346},
    {"ActionOutputSQL", "SQL", 0x8a5a00},
    {"ActionOutputEMF", QT_TRANSLATE_NOOP("UiText", "図"), 0x6b3fa0},
};

QPixmap Tile(const Glyph& glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(glyph.colour));
    painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
    const QString text = UiText::tr(glyph.text);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setBold(true);
    font.setPixelSize(text.size() >= 3 ? size * 3 / 10 : text.size() == 2 ? size * 4 / 10 : size * 6 / 10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
    return pixmap;
}

}  // namespace

QIcon ActionIcon(const char* actionName) {
    for (const Glyph& glyph : kGlyphs) {
        if (std::strcmp(glyph.action, actionName) != 0) continue;
        QIcon icon;
        for (int size : {16, 24, 32, 48}) icon.addPixmap(Tile(glyph, size));
        return icon;
    }
    return {};
}

}  // namespace tabulorix
