// The title picture shown while the program starts: a borderless 356 x 90
// window in the middle of the screen, filled by one JPEG picture.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <chrono>

namespace tabulorix {

class TTitleDlg final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 356;
    static constexpr int kHeight = 90;

    explicit TTitleDlg(QImage picture, QWidget* parent = nullptr);

    // Shows the picture of the JPEG file without blocking, lets the
    // application process events for `duration`, then closes it. A missing
    // or damaged file shows nothing and returns at once. True when the
    // picture was shown.
    static bool ShowFor(const QString& jpegPath, std::chrono::milliseconds duration);
    static bool ShowForTwoSeconds(const QString& jpegPath) { return ShowFor(jpegPath, std::chrono::seconds(2)); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QImage picture_;
};

}  // namespace tabulorix
