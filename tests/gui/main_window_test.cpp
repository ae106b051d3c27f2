// The main window driven as a user would: real widgets under the offscreen
// platform, the questions and file names answered by the recording ports.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWheelEvent>
#include <filesystem>

#include "app/catalogue_panels.h"
#include "app/desktop_ports.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/paper_actions.h"
#include "app/relayout_dialog.h"
#include "app/settings_dialog.h"
#include "app/status_dialog.h"
#include "app/window_actions.h"
#include "catalogue/connection_record.h"
#include "designfile/design_save.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "gui/qt_printers.h"
#include "render/draw_box.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

namespace fs = std::filesystem;

const std::string kSample = TABULORIX_SOURCE_DIR "/examples/sample.sqlite";
const QString kSampleDesign = QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx");
const QStringList kSampleTree{"SALES (1)", "MST (2)", "HR (3)"};

MGReverseRequest SampleLogin(const std::string& password = "tiger") {
    return MGReverseRequest{MakeUserInfo("sales", password, kSample), 0, 2, 0};
}

// The root's text, then its schema nodes'.
QStringList TreeTexts(TForm1& window) {
    const QAbstractItemModel* model = window.Panels().Tree().model();
    if (model->rowCount() == 0) return {};
    const QModelIndex root = model->index(0, 0);
    QStringList texts{root.data().toString()};
    for (int i = 0; i < model->rowCount(root); ++i) texts << model->index(i, 0, root).data().toString();
    return texts;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A window that answers the connection dialog with the login (each
    // time it is asked), optionally with the sample design open.
    std::unique_ptr<TForm1> Window(std::optional<MGReverseRequest> login = {}, bool open = false) {
        auto window = std::make_unique<TForm1>("-DEBUG");
        window->SetConnectionAsker([login] { return login; });
        EXPECT_TRUE(!open || window->OpenDesignPath(kSampleDesign));
        return window;
    }
    std::string File(const char* name) const { return (dir_ / name).string(); }
    bool Enabled(TForm1& window, const char* action) { return WindowAction(window, action)->isEnabled(); }

    testing::RecordingPorts ports_;
    fs::path dir_ = fs::temp_directory_path() / ("tabulorix-gui-" + std::to_string(::getpid()));
};

// The desktop wiring: the real connection dialog, filled in and confirmed
// as a user would, and the real progress dialog.
TEST_F(MainWindowTest, TheConnectionDialogOfTheDesktopStartsTheReading) {
    TForm1 window("-DEBUG");
    DesktopPorts desktop(window);
    QTimer::singleShot(0, [&desktop] {
        TConnectDlg& dialog = desktop.Connect();
        for (const auto& [name, text] :
             {std::pair{"UserName", "sales"}, std::pair{"Password", "tiger"},
              std::pair{"ServiceName", kSample.c_str()}, std::pair{"PaperXCountEdit", "3"}})
            dialog.findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
        dialog.findChild<QPushButton*>("ConnectButton")->click();
    });
    WindowAction(window, "ActionReverseDB")->trigger();
    EXPECT_EQ(TreeTexts(window), QStringList{"無題"} + kSampleTree);
    EXPECT_GE(window.Document().Settings().StoredValues().PaperX, 3);
    EXPECT_FALSE(desktop.Status().isVisible());
    EXPECT_TRUE(Enabled(window, "ActionOutputDesignFile"));
}

TEST_F(MainWindowTest, AWrongPasswordLeavesNoTreeRootAndNoSchema) {
    auto window = Window(SampleLogin("wrong"));
    window->ReverseDatabase();
    EXPECT_TRUE(TreeTexts(*window).isEmpty());
    EXPECT_EQ(window->Document().Manager().SchemaCount(), 0);
    EXPECT_FALSE(ports_.messages.empty());
    EXPECT_FALSE(Enabled(*window, "ActionOutputDesignFile"));
}

TEST_F(MainWindowTest, ClosingAnUnnamedModifiedDesignAsksAndCancelKeepsTheWindow) {
    auto window = Window(SampleLogin());
    window->show();
    window->ReverseDatabase();
    // Cancel to the question; then Yes, but the name dialog is cancelled.
    ports_.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(ports_.questions, std::vector<std::string>(2, "デザインファイルを保存しますか?"));
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].initialName, "無題");
    EXPECT_EQ(ports_.fileRequests[0].title, "名前を付けて保存");
    EXPECT_TRUE(window->isVisible());
    // Yes with a name writes the file and closes.
    ports_.answers = {Answer::Yes};
    ports_.fileNames = {File("saved.tlx")};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(fs::exists(File("saved.tlx")));
}

TEST_F(MainWindowTest, SavingTwiceWithoutAChangeWritesNothingTheSecondTime) {
    auto window = Window(SampleLogin());
    window->ReverseDatabase();
    ports_.answers = {Answer::Yes};
    ports_.fileNames = {File("twice.tlx")};
    window->SaveDesignQuietly();
    ASSERT_TRUE(fs::remove(File("twice.tlx")));
    window->SaveDesignQuietly();
    EXPECT_FALSE(fs::exists(File("twice.tlx")));
    EXPECT_EQ(window->RecentFiles().size(), 1);
}

TEST_F(MainWindowTest, CancellingTheSaveQuestionOrTheConnectionLeavesTheDesignUntouched) {
    auto window = Window({}, true);
    window->Document().Manager().SetModified();
    ports_.answers = {Answer::Cancel};
    window->ReverseDatabase();  // the save question is cancelled
    window->OpenDesign();       // again cancelled: the queue is empty
    EXPECT_EQ(ports_.questions.size(), 2u);
    ports_.answers = {Answer::No};
    window->ReverseDatabase();  // No to saving, then the connection dialog is cancelled
    EXPECT_EQ(TreeTexts(*window), QStringList{"sample.tlx"} + kSampleTree);
    EXPECT_EQ(window->Document().Manager().DesignPath(), kSampleDesign.toStdString());
}

TEST_F(MainWindowTest, TheProgramArgumentIsOpenedOnceAtTheFirstShowing) {
    {
        TForm1 window(File("missing.tlx"));
        EXPECT_TRUE(ports_.messages.empty());  // nothing before the window shows
        for (int i = 0; i < 2; ++i) {
            window.show();
            QTest::qWait(20);
            window.hide();
        }
        window.OpenArgumentOnce();
        EXPECT_EQ(ports_.messages.size(), 1u);
    }
    TForm1 debug("-DEBUG");
    debug.show();
    QTest::qWait(20);
    EXPECT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(debug.Document().Manager().SchemaCount(), 0);
}

TEST_F(MainWindowTest, WithoutADiagramZoomIsOffAndSettingsStoreNothingThenZoomStepsStopAtTheEnds) {
    auto window = Window();
    EXPECT_FALSE(Enabled(*window, "ZoomUp"));  // no diagram; and the settings' OK stores nothing
    QTimer::singleShot(0, [&window] {
        TSetDlgForm& dialog = window->Paper().SettingsDialog();
        dialog.findChild<QLineEdit*>("PaperXCountEdit")->setText(QStringLiteral("7"));
        dialog.accept();
    });
    WindowAction(*window, "ActionOption")->trigger();
    EXPECT_EQ(window->Document().Settings().StoredValues().PaperX, 1);
    ASSERT_TRUE(window->OpenDesignPath(kSampleDesign));
    for (int expected : {150, 200, 300, 400}) {
        EXPECT_TRUE(Enabled(*window, "ZoomUp"));
        WindowAction(*window, "ZoomUp")->trigger();
        EXPECT_EQ(window->Document().WindowZoom(), expected);
    }
    EXPECT_FALSE(Enabled(*window, "ZoomUp"));
    for (int i = 0; i < 7; ++i) WindowAction(*window, "ZoomDown")->trigger();
    EXPECT_EQ(window->Document().WindowZoom(), 25);
    EXPECT_FALSE(Enabled(*window, "ZoomDown"));
    EXPECT_TRUE(Enabled(*window, "ZoomUp"));
}

TEST_F(MainWindowTest, AWindowsFontNameFromADesignStaysInTheComboAndIsWrittenBack) {
    const QString font = QStringLiteral("ＭＳ Ｐゴシック");
    auto window = Window({}, true);
    auto* name = window->findChild<QComboBox*>("ComboBoxForFontName");
    name->setEditText(font);
    Q_EMIT name->activated(-1);
    EXPECT_EQ(window->Document().FontNameText(), font.toStdString());
    ports_.fileNames = {File("font.tlx")};
    window->SaveDesignAs();
    window.reset();  // one window, one document per process
    auto reopened = Window();
    ASSERT_TRUE(reopened->OpenDesignPath(QString::fromStdString(File("font.tlx"))));
    EXPECT_EQ(reopened->findChild<QComboBox*>("ComboBoxForFontName")->currentText(), font);
}

TEST_F(MainWindowTest, ADroppedDesignFileOpensAsIfChosenInTheDialog) {
    auto window = Window();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kSampleDesign)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    QTest::qWait(20);
    EXPECT_EQ(TreeTexts(*window).value(0), QStringLiteral("sample.tlx"));
    EXPECT_EQ(window->RecentFiles().value(0).toStdString(),
              fs::absolute(kSampleDesign.toStdString()).string());
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
    ASSERT_TRUE(window->OpenDesignPath(kSampleDesign));
    ASSERT_TRUE(pressedDuringLoad);
    EXPECT_TRUE(ports_.questions.empty());
    EXPECT_TRUE(ports_.fileRequests.empty());
    clickOpen();
    EXPECT_EQ(ports_.fileRequests.size(), 1u);
}

// Ctrl + wheel zooms keeping the point under the cursor.
TEST_F(MainWindowTest, CtrlAndTheWheelZoomAroundThePointUnderTheCursor) {
    auto window = Window({}, true);
    window->findChild<QTabWidget*>("PageControlTop")->setCurrentIndex(1);
    window->resize(1000, 700);
    window->show();
    QTest::qWait(30);
    auto* paintBox = window->findChild<QWidget*>("PaintBox");
    ZMGDrawBox& box = window->Document().DrawBox();
    const QPoint at(300, 200);
    const Rect before = box.UnmapRect(Rect{at.x(), at.y(), at.x(), at.y()});
    QWheelEvent wheel(at, paintBox->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(paintBox, &wheel);
    EXPECT_EQ(window->Document().WindowZoom(), 150);
    const Rect after = box.UnmapRect(Rect{at.x(), at.y(), at.x(), at.y()});
    EXPECT_NEAR(after.left, before.left, 8);
    EXPECT_NEAR(after.top, before.top, 8);
}

// Ctrl+F: the find box lists as the user types without moving the view;
// Enter shows the first box in the diagram and selects its tree node.
TEST_F(MainWindowTest, TheFindBoxListsAsYouTypeAndEnterShowsTheBox) {
    auto window = Window({}, true);
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
    EXPECT_EQ(window->Panels().Tree().currentIndex().data().toString(), QStringLiteral("ORDER_LINE"));
}

TEST_F(MainWindowTest, RelayoutLaysTheDiagramOutAgainOverThePagesChosen) {
    auto window = Window({}, true);
    MGShapeTable& box = *MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER");
    const Rect r = box.Position();
    box.SetPosition(Rect{3000, 3000, 3000 + r.right - r.left, 3000 + r.bottom - r.top});
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
        auto window = Window(SampleLogin());
        EXPECT_EQ(window->SettingsFile().pagesAcross, 100);  // clamped
        EXPECT_EQ(window->SettingsFile().relationPoint, 3);
        window->ReverseDatabase();
        EXPECT_EQ(window->Document().Settings().StoredValues().PaperX, 2);  // the dialog's value
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    QDir::setCurrent(previous);
}

// The menus and the actions in each, in order (their captions and hints are
// checked by the language walk: a changed Japanese text has no English one);
// the states and the shortcut the window's table of actions gives.
TEST_F(MainWindowTest, EveryActionIsInItsMenuWithItsStateAndShortcut) {
    const std::pair<const char*, const char*> menus[] = {
        {"ファイル(&F)",
         "ActionReverseDB ActionOpenDesignFile ActionOutputDesignFile ActionOutputDesignFileAs SetPrint "
         "ActionPrint ActionExit"},
        {"表関連図(&V)", "ZoomUp ZoomDown ActionReLayout ActionOption"},
        {"ツール(&T)", "ActionToWord ActionOutputCSVFile ActionOutputSQL ActionOutputEMF"},
        {"ヘルプ(&H)", "Help2"},
        {"", "ActionArrow ActionText ActionDeleteText"},  // on the tool bar only
    };
    auto window = Window();
    QStringList shownMenus;
    for (QAction* menu : window->menuBar()->actions()) shownMenus << menu->text();
    EXPECT_EQ(shownMenus, (QStringList{"ファイル(&F)", "表関連図(&V)", "ツール(&T)", "ヘルプ(&H)"}));
    for (const auto& [title, names] : menus) {
        for (const QString& name : QString::fromLatin1(names).split(u' ')) {
            QAction* action = WindowAction(*window, name.toLatin1().constData());
            ASSERT_NE(action, nullptr) << name.toStdString();
            QStringList inMenus;
            for (QObject* owner : action->associatedObjects())
                if (auto* menu = qobject_cast<QMenu*>(owner)) inMenus << menu->title();
            EXPECT_EQ(inMenus, *title ? QStringList{QString::fromUtf8(title)} : QStringList{})
                << name.toStdString();
        }
    }
    EXPECT_TRUE(WindowAction(*window, "ActionArrow")->isChecked());
    EXPECT_FALSE(Enabled(*window, "ActionDeleteText"));
    EXPECT_EQ(WindowAction(*window, "ActionOpenDesignFile")->shortcut(), QKeySequence(QKeySequence::Open));
    auto* sizes = window->findChild<QComboBox*>("ComboBoxForFontSize");
    QStringList sizeItems;
    for (int i = 0; i < sizes->count(); ++i) sizeItems << sizes->itemText(i);
    EXPECT_EQ(sizeItems, (QStringList{"4", "8", "9", "10", "11", "12", "14", "16", "20"}));
    EXPECT_EQ(window->findChild<QToolButton*>("ToolButtonEMF")->defaultAction(),
              WindowAction(*window, "ActionOutputEMF"));
}

}  // namespace
}  // namespace tabulorix
