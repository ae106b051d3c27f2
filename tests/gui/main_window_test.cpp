// The main window driven as a user would: real widgets under the offscreen
// platform, the questions and file names answered by the recording ports.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabWidget>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>

#include "app/catalogue_panels.h"
#include "app/find_dialog.h"
#include "app/relayout_dialog.h"
#include "designfile/design_save.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "render/draw_box.h"
#include "app/desktop_ports.h"
#include "app/status_dialog.h"
#include "app/main_window.h"
#include "app/window_actions.h"
#include "catalogue/connection_record.h"
#include "gui/qt_printers.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

using testing::RecordingPorts;
namespace fs = std::filesystem;

const std::string kSample = TABULORIX_SOURCE_DIR "/examples/sample.sqlite";
const std::string kSampleDesign = TABULORIX_SOURCE_DIR "/examples/sample.tlx";

MGReverseRequest SampleLogin(const std::string& password = "tiger") {
    return MGReverseRequest{MakeUserInfo("sales", password, kSample), 0, 2, 0};
}

QStringList TreeTexts(TForm1& window) {
    QStringList texts;
    const QAbstractItemModel* model = window.Panels().Tree().model();
    if (model->rowCount() == 0) return texts;
    const QModelIndex root = model->index(0, 0);
    texts << root.data().toString();
    for (int i = 0; i < model->rowCount(root); ++i) texts << model->index(i, 0, root).data().toString();
    return texts;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        dir_ = fs::temp_directory_path() / ("tabulorix-gui-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A window that answers the connection dialog with the given logins.
    std::unique_ptr<TForm1> Window(std::vector<std::optional<MGReverseRequest>> logins = {}) {
        auto window = std::make_unique<TForm1>("-DEBUG");
        window->SetConnectionAsker([queue = std::move(logins)]() mutable {
            if (queue.empty()) return std::optional<MGReverseRequest>();
            auto next = queue.front();
            queue.erase(queue.begin());
            return next;
        });
        return window;
    }
    std::string File(const char* name) const { return (dir_ / name).string(); }

    RecordingPorts ports_;
    fs::path dir_;
};

TEST_F(MainWindowTest, ReverseEngineeringReadsTheLoginSchemaAndTheOwnersItsKeysReachInOrder) {
    auto window = Window({SampleLogin()});
    window->ReverseDatabase();
    EXPECT_EQ(TreeTexts(*window), (QStringList{"無題", "SALES (1)", "MST (2)", "HR (3)"}));
    EXPECT_TRUE(window->Document().HasDiagram());
    EXPECT_TRUE(WindowAction(*window, "ActionOutputDesignFile")->isEnabled());
}

// The desktop wiring: the real connection dialog, filled in and confirmed
// as a user would, and the real progress dialog.
TEST_F(MainWindowTest, TheConnectionDialogOfTheDesktopStartsTheReading) {
    TForm1 window("-DEBUG");
    DesktopPorts desktop(window);
    QTimer::singleShot(0, [&desktop] {
        TConnectDlg& dialog = desktop.Connect();
        dialog.findChild<QLineEdit*>("UserName")->setText(QStringLiteral("sales"));
        dialog.findChild<QLineEdit*>("Password")->setText(QStringLiteral("tiger"));
        dialog.findChild<QLineEdit*>("ServiceName")->setText(QString::fromStdString(kSample));
        dialog.findChild<QLineEdit*>("PaperXCountEdit")->setText(QStringLiteral("3"));
        dialog.findChild<QPushButton*>("ConnectButton")->click();
    });
    WindowAction(window, "ActionReverseDB")->trigger();
    EXPECT_EQ(TreeTexts(window), (QStringList{"無題", "SALES (1)", "MST (2)", "HR (3)"}));
    EXPECT_GE(window.Document().Settings().StoredValues().PaperX, 3);
    EXPECT_FALSE(desktop.Status().isVisible());
}

TEST_F(MainWindowTest, AWrongPasswordLeavesNoTreeRootAndNoSchema) {
    auto window = Window({SampleLogin("wrong")});
    window->ReverseDatabase();
    EXPECT_TRUE(TreeTexts(*window).isEmpty());
    EXPECT_EQ(window->Document().Manager().SchemaCount(), 0);
    EXPECT_FALSE(ports_.messages.empty());
    EXPECT_FALSE(WindowAction(*window, "ActionOutputDesignFile")->isEnabled());
}

TEST_F(MainWindowTest, ClosingAnUnnamedModifiedDesignAsksAndCancelKeepsTheWindow) {
    auto window = Window({SampleLogin()});
    window->show();
    window->ReverseDatabase();
    // Cancel to the question; then Yes, but the name dialog is cancelled.
    ports_.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(ports_.questions, (std::vector<std::string>{"デザインファイルを保存しますか?",
                                                          "デザインファイルを保存しますか?"}));
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].initialName, "無題");
    EXPECT_EQ(ports_.fileRequests[0].title, "名前を付けて保存");
    EXPECT_TRUE(window->isVisible());

    // Yes with a name writes a file that loads back to the same schemas.
    ports_.answers = {Answer::Yes};
    ports_.fileNames = {File("saved.tlx")};
    EXPECT_TRUE(window->close());
    window.reset();  // one window, one document per process
    auto reopened = Window();
    ASSERT_TRUE(reopened->OpenDesignPath(QString::fromStdString(File("saved.tlx"))));
    EXPECT_EQ(TreeTexts(*reopened), (QStringList{"saved.tlx", "SALES (1)", "MST (2)", "HR (3)"}));
}

TEST_F(MainWindowTest, SavingTwiceWithoutAChangeWritesNothingTheSecondTime) {
    auto window = Window({SampleLogin()});
    window->ReverseDatabase();
    ports_.answers = {Answer::Yes};
    ports_.fileNames = {File("twice.tlx")};
    window->SaveDesignQuietly();
    ASSERT_TRUE(fs::exists(File("twice.tlx")));
    fs::remove(File("twice.tlx"));
    window->SaveDesignQuietly();
    EXPECT_FALSE(fs::exists(File("twice.tlx")));
    EXPECT_EQ(window->RecentFiles().size(), 1);
}

TEST_F(MainWindowTest, CancellingTheSaveQuestionOrTheConnectionLeavesTheDesignUntouched) {
    auto window = Window({std::nullopt});
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    window->Document().Manager().SetModified();
    ports_.answers = {Answer::Cancel};
    window->ReverseDatabase();  // the save question is cancelled
    window->OpenDesign();       // again cancelled
    EXPECT_EQ(ports_.questions.size(), 2u);  // the queue is empty: Cancel again
    ports_.answers = {Answer::No};
    window->ReverseDatabase();  // No to saving, then the connection dialog is cancelled
    EXPECT_EQ(TreeTexts(*window), (QStringList{"sample.tlx", "SALES (1)", "MST (2)", "HR (3)"}));
    EXPECT_EQ(window->Document().Manager().DesignPath(), kSampleDesign);
}

TEST_F(MainWindowTest, TheProgramArgumentIsOpenedOnceAtTheFirstShowing) {
    {
        TForm1 window(File("missing.tlx"));
        EXPECT_TRUE(ports_.messages.empty());  // nothing before the window shows
        window.show();
        QTest::qWait(20);
        window.hide();
        window.show();
        QTest::qWait(20);
        window.OpenArgumentOnce();
        EXPECT_EQ(ports_.messages.size(), 1u);
    }
    TForm1 debug("-DEBUG");
    debug.show();
    QTest::qWait(20);
    EXPECT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(debug.Document().Manager().SchemaCount(), 0);
}

TEST_F(MainWindowTest, ZoomStepsStopAtTheEndsOfTheList) {
    auto window = Window();
    EXPECT_FALSE(WindowAction(*window, "ZoomUp")->isEnabled());  // no diagram
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    QAction* up = WindowAction(*window, "ZoomUp");
    QAction* down = WindowAction(*window, "ZoomDown");
    for (int expected : {150, 200, 300}) {
        up->trigger();
        EXPECT_EQ(window->Document().WindowZoom(), expected);
        EXPECT_TRUE(up->isEnabled());
    }
    up->trigger();
    EXPECT_EQ(window->Document().WindowZoom(), 400);
    EXPECT_FALSE(up->isEnabled());
    for (int i = 0; i < 7; ++i) down->trigger();
    EXPECT_EQ(window->Document().WindowZoom(), 25);
    EXPECT_FALSE(down->isEnabled());
    EXPECT_TRUE(up->isEnabled());
}

TEST_F(MainWindowTest, AWindowsFontNameFromADesignStaysInTheComboAndIsWrittenBack) {
    auto window = Window();
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    auto* name = window->findChild<QComboBox*>("ComboBoxForFontName");
    name->setEditText(QStringLiteral("ＭＳ Ｐゴシック"));
    Q_EMIT name->activated(-1);
    EXPECT_EQ(window->Document().FontNameText(), "ＭＳ Ｐゴシック");
    ports_.fileNames = {File("font.tlx")};
    window->SaveDesignAs();
    window.reset();
    auto reopened = Window();
    ASSERT_TRUE(reopened->OpenDesignPath(QString::fromStdString(File("font.tlx"))));
    EXPECT_EQ(reopened->findChild<QComboBox*>("ComboBoxForFontName")->currentText(),
              QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST_F(MainWindowTest, ADroppedDesignFileOpensAsIfChosenInTheDialog) {
    auto window = Window();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(kSampleDesign))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QCoreApplication::sendEvent(window.get(), &drop);
    QTest::qWait(20);
    EXPECT_EQ(TreeTexts(*window).value(0), QStringLiteral("sample.tlx"));
    EXPECT_EQ(window->RecentFiles().value(0).toStdString(), fs::absolute(kSampleDesign).string());
}

// While a design loads, its progress dialog is modal: a click on the open
// button then starts nothing; afterwards the same click opens the dialog.
TEST_F(MainWindowTest, ACommandTriggeredWhileALoadShowsItsProgressDoesNotRunInsideIt) {
    auto window = Window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TStatusDlg status(window.get(), [&window] { return window->Busy(); });
    const ScopedPorts withStatus(UiPorts{&ports_, &ports_, &status, &ports_});
    // A click as the window system delivers it, so a modal dialog blocks it.
    const auto clickOpen = [&window] {
        auto* button = window->findChild<QToolButton*>("ToolButtonOpenDesign");
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(window.get(), button->rect().center()));
    };
    bool pressedDuringLoad = false;
    QTimer::singleShot(0, [&] {
        pressedDuringLoad = status.isVisible();
        clickOpen();
    });
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    ASSERT_TRUE(pressedDuringLoad);
    EXPECT_TRUE(ports_.questions.empty());
    EXPECT_TRUE(ports_.fileRequests.empty());
    clickOpen();
    EXPECT_EQ(ports_.fileRequests.size(), 1u);
}

// A box dragged with the mouse on the diagram tab lands where it was
// dropped and the design is modified; a double click opens the sheet.
TEST_F(MainWindowTest, ABoxDraggedOnTheDiagramMovesAndModifiesTheDesign) {
    auto window = Window();
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    auto* pages = window->findChild<QTabWidget*>("PageControlTop");
    pages->setCurrentIndex(1);
    window->show();
    QTest::qWait(30);
    MGShapeTable* found = MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER");
    ASSERT_NE(found, nullptr);
    MGShapeTable& box = *found;
    const Rect before = box.Position();
    const Rect device = window->Document().DrawBox().MapRect(before);
    auto* paintBox = window->findChild<QWidget*>("PaintBox");
    const auto send = [paintBox](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, paintBox->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(paintBox, &event);
    };
    const QPoint at((device.left + device.right) / 2, (device.top + device.bottom) / 2);
    send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, at + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(box.Position().left, before.left + 40);
    EXPECT_EQ(box.Position().top, before.top + 30);
    EXPECT_TRUE(IsModified(window->Document().Context()));
    send(QEvent::MouseButtonDblClick, at + QPoint(40, 30), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pages->currentIndex(), 0);
}

// The wheel scrolls, Ctrl + wheel zooms keeping the point under the
// cursor, Escape gives up a drag.
TEST_F(MainWindowTest, TheWheelScrollsAndZoomsAndEscapeGivesUpADrag) {
    auto window = Window();
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    window->findChild<QTabWidget*>("PageControlTop")->setCurrentIndex(1);
    window->resize(1000, 700);
    window->show();
    QTest::qWait(30);
    auto* paintBox = window->findChild<QWidget*>("PaintBox");
    auto* vertical = window->findChild<QScrollBar*>("VScrollBar");
    const auto wheel = [paintBox](QPoint at, int dy, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, paintBox->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(paintBox, &event);
    };
    const int top = vertical->value();
    wheel(QPoint(100, 100), -120, Qt::NoModifier);
    EXPECT_GT(vertical->value(), top);

    ZMGDrawBox& box = window->Document().DrawBox();
    const QPoint at(300, 200);
    const Rect before = box.UnmapRect(Rect{at.x(), at.y(), at.x(), at.y()});
    wheel(at, 120, Qt::ControlModifier);
    EXPECT_EQ(window->Document().WindowZoom(), 150);
    const Rect after = box.UnmapRect(Rect{at.x(), at.y(), at.x(), at.y()});
    EXPECT_NEAR(after.left, before.left, 8);
    EXPECT_NEAR(after.top, before.top, 8);

    MGShapeTable& table = *MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER");
    const Rect start = table.Position();
    const Rect device = box.MapRect(start);
    const QPoint grip((device.left + device.right) / 2, (device.top + device.bottom) / 2);
    QMouseEvent press(QEvent::MouseButtonPress, grip, paintBox->mapToGlobal(grip), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(paintBox, &press);
    QMouseEvent move(QEvent::MouseMove, grip + QPoint(30, 30), paintBox->mapToGlobal(grip + QPoint(30, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(paintBox, &move);
    QTest::keyClick(paintBox, Qt::Key_Escape);
    QMouseEvent release(QEvent::MouseButtonRelease, grip + QPoint(30, 30), paintBox->mapToGlobal(grip),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(paintBox, &release);
    EXPECT_EQ(table.Position(), start);
}

// Ctrl+F: the find box lists as the user types without moving the view;
// Enter shows the first box in the diagram and selects its tree node.
TEST_F(MainWindowTest, TheFindBoxListsAsYouTypeAndEnterShowsTheBox) {
    auto window = Window();
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    window->show();
    QTest::qWait(20);
    WindowAction(*window, "ActionFind")->trigger();
    TFindDlg& find = window->FindDialog();
    auto* text = find.findChild<QLineEdit*>("FindText");
    auto* horizontal = window->findChild<QScrollBar*>("HScrollBar");
    const int before = horizontal->value();
    QTest::keyClicks(text, QStringLiteral("line"));
    ASSERT_FALSE(find.Found().empty());
    EXPECT_EQ(find.Found()[0].box->Name(), "ORDER_LINE");
    EXPECT_EQ(horizontal->value(), before);  // typing moves nothing
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(window->findChild<QTabWidget*>("PageControlTop")->currentIndex(), 1);
    EXPECT_EQ(find.Found()[0].box->State(), MGShapeRect::kStateSelected);
    const QModelIndex selected = window->Panels().Tree().currentIndex();
    EXPECT_EQ(selected.data().toString(), QStringLiteral("ORDER_LINE"));
}

TEST_F(MainWindowTest, RelayoutLaysTheDiagramOutAgainOverThePagesChosen) {
    auto window = Window();
    ASSERT_TRUE(window->OpenDesignPath(QString::fromStdString(kSampleDesign)));
    MGShapeTable& box = *MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER");
    box.SetPosition(Rect{3000, 3000, 3000 + box.Position().right - box.Position().left,
                         3000 + box.Position().bottom - box.Position().top});
    QTimer::singleShot(0, [&window] {
        TRelayoutDlg& dialog = window->RelayoutDialog();
        dialog.findChild<QLineEdit*>("PaperXCountEdit")->setText(QStringLiteral("abc"));  // taken as 1
        dialog.findChild<QRadioButton*>("SelectField2")->setChecked(true);
        dialog.accept();
    });
    WindowAction(*window, "ActionReLayout")->trigger();
    EXPECT_LT(box.Position().left, 1000);  // placed anew on the first page column
    EXPECT_EQ(window->Document().Settings().StoredValues().TableItem, 2);
    EXPECT_TRUE(IsModified(window->Document().Context()));
}

TEST_F(MainWindowTest, TheSettingsFileIsFoundInTheCurrentDirectoryAndNeverWritten) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.string()));
    const QByteArray bytes = "[Paper]\r\nX=250\r\n[ERD]\r\nRelationPoint=3\r\n";
    QFile file(QStringLiteral("Korvex_R.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    {
        auto window = Window({SampleLogin()});
        EXPECT_EQ(window->SettingsFile().pagesAcross, 100);  // clamped
        EXPECT_EQ(window->SettingsFile().relationPoint, 3);
        window->ReverseDatabase();
        EXPECT_EQ(window->Document().Settings().StoredValues().PaperX, 2);  // the dialog's value
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    QDir::setCurrent(previous);
}

// Captions, hints, menus and shortcuts as the window's table of actions
// names them.
TEST_F(MainWindowTest, EveryActionHasItsCaptionHintAndMenu) {
    struct Expected {
        const char* name;
        const char* caption;
        const char* hint;
        const char* menu;
    };
    const Expected expected[] = {
        {"ActionReverseDB", "データベースの接続(&L)", "データベースの接続", "ファイル(&F)"},
        {"ActionOpenDesignFile", "ファイルを開く(&O)...", "ファイルを開く", "ファイル(&F)"},
        {"ActionOutputDesignFile", "上書き保存(&S)", "上書き保存", "ファイル(&F)"},
        {"ActionOutputDesignFileAs", "名前を付けて保存(&A)...", nullptr, "ファイル(&F)"},
        {"SetPrint", "印刷設定...", nullptr, "ファイル(&F)"},
        {"ActionPrint", "印刷(&P)...", "印刷", "ファイル(&F)"},
        {"ActionExit", "終了(&X)", nullptr, "ファイル(&F)"},
        {"ZoomUp", "拡大", "拡大表示", "表関連図(&V)"},
        {"ZoomDown", "縮小", "縮小表示", "表関連図(&V)"},
        {"ActionReLayout", "再配置(&R)...", "再配置", "表関連図(&V)"},
        {"ActionOption", "オプション(&O)...", nullptr, "表関連図(&V)"},
        {"ActionToWord", "WORD出力(&W)", nullptr, "ツール(&T)"},
        {"ActionOutputCSVFile", "CSV出力(&C)...", nullptr, "ツール(&T)"},
        {"ActionOutputSQL", "SQLスクリプト出力(&S)...", nullptr, "ツール(&T)"},
        {"ActionOutputEMF", "表関連図出力(&E)", "表関連図出力", "ツール(&T)"},
        {"Help2", "ヘルプ(&C)", nullptr, "ヘルプ(&H)"},
        {"ActionArrow", "", "図形を選択", nullptr},
        {"ActionText", "", "文字列挿入", nullptr},
        {"ActionDeleteText", "", "文字列削除", nullptr},
    };
    auto window = Window();
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"ファイル(&F)", "表関連図(&V)", "ツール(&T)", "ヘルプ(&H)"}));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        QAction* action = WindowAction(*window, e.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(e.caption));
        if (e.hint != nullptr) {
            EXPECT_EQ(action->toolTip(), QString::fromUtf8(e.hint));
        }
        QStringList inMenus;
        for (QObject* owner : action->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(owner)) inMenus << menu->title();
        EXPECT_EQ(inMenus, e.menu ? QStringList{QString::fromUtf8(e.menu)} : QStringList{});
    }
    EXPECT_TRUE(WindowAction(*window, "ActionArrow")->isChecked());
    EXPECT_FALSE(WindowAction(*window, "ActionDeleteText")->isEnabled());
    EXPECT_EQ(WindowAction(*window, "ActionOpenDesignFile")->shortcut(), QKeySequence(QKeySequence::Open));
    auto* sizes = window->findChild<QComboBox*>("ComboBoxForFontSize");
    QStringList sizeItems;
    for (int i = 0; i < sizes->count(); ++i) sizeItems << sizes->itemText(i);
    EXPECT_EQ(sizeItems, (QStringList{"4", "8", "9", "10", "11", "12", "14", "16", "20"}));
    EXPECT_EQ(sizes->toolTip(), QStringLiteral("表関連図のフォントサイズ"));
    EXPECT_EQ(window->findChild<QToolButton*>("ToolButtonEMF")->defaultAction(),
              WindowAction(*window, "ActionOutputEMF"));
}

}  // namespace
}  // namespace tabulorix
