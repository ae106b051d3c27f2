// Draws the title picture of the desktop program (356 x 90): three table
// boxes joined by relationship lines on the left, the program name and
// version on the right. Built and run by scripts/make-title-picture.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

// One table box: a title band and a few column lines.
void DrawBox(QPainter& painter, const QRect& box, int columns) {
    painter.setPen(QPen(QColor(0xd8, 0xe6, 0xf5), 1));
    painter.setBrush(QColor(0x24, 0x4a, 0x7c));
    painter.drawRect(box);
    const QRect band(box.left(), box.top(), box.width(), 7);
    painter.fillRect(band.adjusted(1, 1, 0, 0), QColor(0x7f, 0xb2, 0xe5));
    painter.setPen(QPen(QColor(0xb8, 0xd0, 0xea), 1));
    for (int i = 0; i < columns; ++i) {
        const int y = box.top() + 12 + i * 5;
        painter.drawLine(box.left() + 4, y, box.right() - 6 - (i % 2) * 5, y);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.jpg\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    QImage image(356, 90, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QLinearGradient sky(0, 0, 0, 90);
    sky.setColorAt(0, QColor(0x10, 0x25, 0x45));
    sky.setColorAt(1, QColor(0x1d, 0x3f, 0x6e));
    painter.fillRect(image.rect(), sky);

    // The motif: a parent box with two children, lines from key to key.
    const QRect parent(14, 12, 34, 30);
    const QRect left(8, 56, 30, 26);
    const QRect right(58, 48, 34, 30);
    painter.setPen(QPen(QColor(0xf0, 0xc0, 0x50), 1));
    painter.drawLine(31, parent.bottom(), 31, left.top());
    painter.drawLine(parent.right(), 27, 75, 27);
    painter.drawLine(75, 27, 75, right.top());
    painter.setBrush(QColor(0xf0, 0xc0, 0x50));
    painter.drawEllipse(QPoint(31, left.top() - 2), 2, 2);
    painter.drawEllipse(QPoint(75, right.top() - 2), 2, 2);
    DrawBox(painter, parent, 4);
    DrawBox(painter, left, 3);
    DrawBox(painter, right, 4);

    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont title(QStringLiteral("IPAPGothic"));
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(106, 14, 244, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tabulorix for Oracle"));
    painter.setPen(QPen(QColor(0xf0, 0xc0, 0x50), 1));
    painter.drawLine(108, 50, 344, 50);
    QFont version(QStringLiteral("IPAPGothic"));
    version.setPixelSize(13);
    painter.setFont(version);
    painter.setPen(QColor(0xd8, 0xe6, 0xf5));
    painter.drawText(QRect(108, 56, 236, 22), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Version 3.0.0"));
    painter.end();

    if (!image.save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
