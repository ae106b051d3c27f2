#include "app/title_dialog.h"

#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "platform/jpeg_picture.h"

namespace tabulorix {

TTitleDlg::TTitleDlg(QImage picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(std::move(picture)) {
    setObjectName(QStringLiteral("TitleDlg"));
    setFixedSize(kWidth, kHeight);
}

bool TTitleDlg::ShowFor(const QString& jpegPath, std::chrono::milliseconds duration) {
    QImage picture = ReadJpegFile(jpegPath.toStdString());
    if (picture.isNull()) return false;
    TTitleDlg title(std::move(picture));
    title.show();
    QEventLoop wait;
    QTimer::singleShot(duration, &wait, &QEventLoop::quit);
    wait.exec();
    title.close();
    return true;
}

void TTitleDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A picture of another size is stretched over the window.
    painter.drawImage(rect(), picture_);
}

void TTitleDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

}  // namespace tabulorix
