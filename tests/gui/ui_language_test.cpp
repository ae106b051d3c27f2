// The window in English and in Japanese: every text of its menus, tool
// bars, panels and dialogs, and the texts the core hands to it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/connect_dialog.h"
#include "app/csv_output_dialog.h"
#include "app/csv_save_all_dialog.h"
#include "app/emf_output_dialog.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/relayout_dialog.h"
#include "app/settings_dialog.h"
#include "app/sql_output_dialog.h"
#include "app/status_dialog.h"
#include "app/text_dialog.h"
#include "app/ui_language.h"
#include "base/file_io.h"
#include "base/text_codec.h"
#include "session/catalogue_presentation.h"
#include "session/emf_choice.h"
#include "screenshot_support.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Kana, CJK ideographs and their punctuation, full-width forms.
        if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) return true;
    }
    return false;
}

// The language for one test; afterwards no catalogue, as the other tests
// expect.
class Language {
public:
    explicit Language(UiLanguage language) { EXPECT_TRUE(InstallUiLanguage(language)); }
    ~Language() { RemoveUiLanguage(); }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;
};

struct ShownText {
    QString where;
    QString text;
};

// Every text of a widget's chrome: titles, captions, labels, hints, tab and
// menu names, placeholder texts, the items of fixed choice lists, column
// headings and the tree's own nodes. What the user typed or the design
// holds (edit contents, list cells, names in the tree) is not chrome.
class ChromeTexts {
public:
    void Collect(QWidget& top) {
        Add(top, QStringLiteral("title"), top.windowTitle());
        for (QWidget* widget : top.findChildren<QWidget*>()) Widget(*widget);
        for (QAction* action : top.findChildren<QAction*>()) {
            Add(*action, QStringLiteral("action"), action->text());
            // An action without a hint of its own shows its caption (without
            // accelerator marks and dots) as one.
            QString caption = action->text();
            if (action->toolTip() != caption.remove(QLatin1Char('&')).remove(QStringLiteral("...")))
                Add(*action, QStringLiteral("hint"), action->toolTip());
        }
    }

    const std::vector<ShownText>& Texts() const { return texts_; }

private:
    void Add(const QObject& owner, const QString& what, const QString& text) {
        if (!text.isEmpty()) texts_.push_back({owner.objectName() + QLatin1Char(' ') + what, text});
    }

    void Widget(QWidget& widget) {
        Add(widget, QStringLiteral("hint"), widget.toolTip());
        if (auto* label = qobject_cast<QLabel*>(&widget)) Add(widget, QStringLiteral("label"), label->text());
        // A tool button of an action shows the action's caption (collected
        // with the action).
        auto* toolButton = qobject_cast<QToolButton*>(&widget);
        if (auto* button = qobject_cast<QAbstractButton*>(&widget);
            button != nullptr && (toolButton == nullptr || toolButton->defaultAction() == nullptr)) {
            Add(widget, QStringLiteral("button"), button->text());
        }
        if (auto* group = qobject_cast<QGroupBox*>(&widget)) Add(widget, QStringLiteral("group"), group->title());
        if (auto* menu = qobject_cast<QMenu*>(&widget)) Add(widget, QStringLiteral("menu"), menu->title());
        if (auto* edit = qobject_cast<QLineEdit*>(&widget)) Add(widget, QStringLiteral("placeholder"), edit->placeholderText());
        if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) {
            for (int i = 0; i < tabs->count(); ++i) Add(widget, QStringLiteral("tab"), tabs->tabText(i));
        }
        if (auto* combo = qobject_cast<QComboBox*>(&widget); combo != nullptr && !combo->isEditable()) {
            for (int i = 0; i < combo->count(); ++i) Add(widget, QStringLiteral("choice"), combo->itemText(i));
        }
        if (auto* header = qobject_cast<QHeaderView*>(&widget); header != nullptr && header->model() != nullptr) {
            if (header->orientation() != Qt::Horizontal) return;
            for (int i = 0; i < header->count(); ++i)
                Add(widget, QStringLiteral("heading"), header->model()->headerData(i, Qt::Horizontal).toString());
        }
        if (auto* tree = qobject_cast<QTreeView*>(&widget); tree != nullptr && tree->model() != nullptr) TreeNodes(*tree);
    }

    // The root and the category nodes (the design's schemas and boxes are
    // the user's names).
    void TreeNodes(const QTreeView& tree) {
        const QAbstractItemModel& model = *tree.model();
        for (int r = 0; r < model.rowCount(); ++r) {
            const QModelIndex root = model.index(r, 0);
            Add(tree, QStringLiteral("tree root"), root.data().toString());
            for (int s = 0; s < model.rowCount(root); ++s) {
                const QModelIndex schema = model.index(s, 0, root);
                for (int c = 0; c < model.rowCount(schema); ++c)
                    Add(tree, QStringLiteral("tree category"), model.index(c, 0, schema).data().toString());
            }
        }
    }

    std::vector<ShownText> texts_;
};

// The window on the sample design with every dialog it opens, its chrome
// texts collected.
std::vector<ShownText> WindowAndDialogTexts() {
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    EXPECT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    MGSchemaMng& manager = window.Document().Manager();
    window.Outputs().Sql().Prepare(manager);
    window.Outputs().Csv().Prepare(manager);
    int pagesX = 1;
    int pagesY = 1;
    window.Document().DrawBox().GetPageCount(pagesX, pagesY);
    window.Outputs().Emf().Prepare(pagesX, pagesY);

    TConnectDlg connect;
    TSetDlgForm settings(window.Document().Settings());
    TTextDlg text;
    TStatusDlg status;
    status.Reset();
    ChromeTexts texts;
    for (QWidget* top : std::initializer_list<QWidget*>{&window, &connect, &settings, &text, &status}) {
        texts.Collect(*top);
    }
    // The dialogs the window owns (relayout, find, the outputs) are its
    // children and were collected with it.
    return texts.Texts();
}

TEST(UiLanguage, ChoosesTheFirstOfEnglishAndJapaneseInTheUsersOrder) {
    struct Case {
        QStringList languages;
        UiLanguage expected;
    };
    const Case cases[] = {
        {{QStringLiteral("en")}, UiLanguage::English},
        {{QStringLiteral("en-US"), QStringLiteral("ja-JP")}, UiLanguage::English},
        {{QStringLiteral("ja-JP"), QStringLiteral("en-US")}, UiLanguage::Japanese},
        {{QStringLiteral("de-DE"), QStringLiteral("en-GB")}, UiLanguage::English},
        {{QStringLiteral("de-DE"), QStringLiteral("fr")}, UiLanguage::Japanese},
        {{}, UiLanguage::Japanese},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseUiLanguage(c.languages), c.expected) << c.languages.join(QLatin1Char(',')).toStdString();
    }
}

TEST(UiLanguage, EnglishWindowAndDialogsShowNoJapanese) {
    const Language english(UiLanguage::English);
    const std::vector<ShownText> texts = WindowAndDialogTexts();
    ASSERT_GT(texts.size(), 150u);  // the walk reached the menus, panels and dialogs
    for (const ShownText& shown : texts) {
        EXPECT_FALSE(HasJapanese(shown.text)) << shown.where.toStdString() << ": " << shown.text.toStdString();
    }
}

// Every Japanese text the window shows has an English translation: shown
// in Japanese, collected, then translated with the English catalogue.
TEST(UiLanguage, EveryJapaneseTextOfTheWindowIsTranslated) {
    std::vector<ShownText> japanese;
    {
        const Language language(UiLanguage::Japanese);
        for (const ShownText& shown : WindowAndDialogTexts()) {
            if (HasJapanese(shown.text)) japanese.push_back(shown);
        }
    }
    ASSERT_GT(japanese.size(), 150u);
    const Language english(UiLanguage::English);
    for (const ShownText& shown : japanese) {
        const QString translated = TranslatedCoreText(shown.text.toStdString());
        EXPECT_FALSE(HasJapanese(translated)) << shown.where.toStdString() << ": " << shown.text.toStdString();
    }
}

// The texts the core makes (messages with inserted parts, progress lines,
// list headings, choices) come out in English, inserted parts included;
// what the user wrote inside them stays as written.
TEST(UiLanguage, CoreTextsAreTranslatedWithTheirInsertedParts) {
    std::vector<std::string> core;
    const auto message = [&core](const std::function<void()>& fails) {
        try {
            fails();
            ADD_FAILURE() << "no error";
        } catch (const std::exception& error) {
            core.emplace_back(error.what());
        }
    };
    message([] { DecodeCp932("ok\n\x81"); });
    message([] { DecodeCp932("\xa0\xff"); });
    message([] { ValidateUtf8("a\n\xff"); });
    message([] { EncodeCp932("\xf0\x9f\x98\x80"); });
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-folder/x.tlx"));
    message([&missing] { ReadFileBytes(missing.toStdString()); });
    core.push_back(EmfPageRangeText(12));
    for (const char* category : kCategoryTexts) core.emplace_back(category);
    for (const auto* items : {&TSetDlg::PagePositionItems(), &TSetDlg::PageNoFormItems(), &TSetDlg::NotationItems(),
                              &TSetDlg::TableItemItems()}) {
        core.insert(core.end(), items->begin(), items->end());
    }

    const Language english(UiLanguage::English);
    for (const std::string& text : core) {
        const QString translated = TranslatedCoreText(text);
        EXPECT_FALSE(HasJapanese(translated)) << text << " -> " << translated.toStdString();
    }
    // Inserted parts are placed where the English text puts them, and the
    // user's own text inside a message is kept, "%1" included.
    EXPECT_EQ(TranslatedCoreText("ユーザ名:SCOTT  サービス名:db:1521:表  接続要求中........."),
              QStringLiteral("User: SCOTT  Service: db:1521:表  Connecting........."));
    EXPECT_EQ(TranslatedCoreText("ファイル \"/tmp/%1.tlx\" を保存できません: No space left on device"),
              QStringLiteral("The file \"/tmp/%1.tlx\" cannot be saved: No space left on device"));
    EXPECT_EQ(TranslatedCoreText("Dictionary snapshot file not found: 表.sqlite"),
              QStringLiteral("Dictionary snapshot file not found: 表.sqlite"));
}

TEST(UiLanguage, JapaneseLeavesCoreTextsAsTheyAre) {
    const Language japanese(UiLanguage::Japanese);
    EXPECT_EQ(TranslatedCoreText("テーブル情報解析中..."), QStringLiteral("テーブル情報解析中..."));
    EXPECT_EQ(UiText::tr("ファイル(&F)"), QStringLiteral("ファイル(&F)"));
    // Qt's own buttons speak Japanese too.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

// The English window beside the Japanese one, for people to look at.
TEST(LanguageScreenshots, WriteWhenAsked) {
    const char* folder = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR is not set";
    for (const UiLanguage language : {UiLanguage::English, UiLanguage::Japanese}) {
        const Language chosen(language);
        testing::RecordingPorts ports;
        TForm1 window("-DEBUG");
        ShowSample(window);
        ShowDiagramPage(window);
        SaveScreenshot(window, QString::fromLocal8Bit(folder),
                       language == UiLanguage::English ? "main-window-english.png" : "main-window-japanese.png");
    }
}

}  // namespace
}  // namespace tabulorix
