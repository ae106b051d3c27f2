// The title picture: the project's own picture decodes to the window's
// size and is shown for the time asked; a missing or damaged file gives no
// picture and the start goes on at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

#include "app/title_dialog.h"
#include "platform/jpeg_picture.h"

namespace tabulorix {
namespace {

using namespace std::chrono_literals;

const QString kTitlePicture = QStringLiteral(TABULORIX_SOURCE_DIR "/data/title.jpg");

TEST(TitlePicture, DecodesToTheWindowSizeAndIsShownCentredWithoutFrame) {
    EXPECT_EQ(ReadJpegFile(kTitlePicture.toStdString()).size(), QSize(TTitleDlg::kWidth, TTitleDlg::kHeight));
    QWidget* shown = nullptr;
    QTimer::singleShot(20, qApp, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<TTitleDlg*>(widget) && widget->isVisible()) shown = widget;
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->size(), QSize(356, 90));
        EXPECT_TRUE(shown->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(shown->geometry().center(), shown->screen()->availableGeometry().center());
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(TTitleDlg::ShowFor(kTitlePicture, 200ms));
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_NE(shown, nullptr);
}

TEST(TitlePicture, MissingOrDamagedFilesGiveNoPictureAndNoWait) {
    QFile title(kTitlePicture);
    ASSERT_TRUE(title.open(QIODevice::ReadOnly));
    const QByteArray good = title.readAll();
    ASSERT_GT(good.size(), 1000);
    QByteArray flipped = good;
    flipped.replace(good.size() / 2, 64, QByteArray(64, char(0xff)));
    const std::pair<const char*, QByteArray> cases[] = {
        {"missing", {}},
        {"empty", ""},
        {"garbage", QByteArray(4000, 'x')},
        {"header only", good.left(300)},
        {"truncated", good.left(good.size() / 2)},
        {"markers in the scan", flipped},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromUtf8(name) + QStringLiteral(".jpg"));
        QFile file(path);
        ASSERT_TRUE(bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(bytes) >= 0));
        file.close();
        EXPECT_TRUE(ReadJpegFile(path.toStdString()).isNull());
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(TTitleDlg::ShowFor(path, 5s));
        EXPECT_LT(clock.elapsed(), 1000);
    }
}

}  // namespace
}  // namespace tabulorix
