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
#include <functional>

#include "app/title_dialog.h"
#include "platform/jpeg_picture.h"

namespace tabulorix {
namespace {

using namespace std::chrono_literals;

const QString kTitlePicture = QStringLiteral(TABULORIX_SOURCE_DIR "/data/title.jpg");

QByteArray TitleBytes() {
    QFile file(kTitlePicture);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(TitlePicture, DecodesToTheWindowSizeAndIsShownCentredWithoutFrame) {
    const QImage picture = ReadJpegFile(kTitlePicture.toStdString());
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(TTitleDlg::kWidth, TTitleDlg::kHeight));

    QWidget* shown = nullptr;
    QTimer::singleShot(20, qApp, [&shown] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<TTitleDlg*>(widget) && widget->isVisible()) shown = widget;
        }
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
    const QByteArray good = TitleBytes();
    ASSERT_GT(good.size(), 1000);
    QByteArray flipped = good;
    for (qsizetype i = good.size() / 2; i < good.size() / 2 + 64; ++i) flipped[i] = static_cast<char>(0xff);
    const struct {
        const char* name;
        QByteArray bytes;
        bool write;
    } cases[] = {
        {"missing", {}, false},
        {"empty", {}, true},
        {"garbage", QByteArray(4000, 'x'), true},
        {"header only", good.left(300), true},
        {"truncated", good.left(good.size() / 2), true},
        {"markers in the scan", flipped, true},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".jpg"));
        if (c.write) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        EXPECT_TRUE(ReadJpegFile(path.toStdString()).isNull());
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(TTitleDlg::ShowFor(path, 5s));
        EXPECT_LT(clock.elapsed(), 1000);
    }
}

}  // namespace
}  // namespace tabulorix
