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
#include <algorithm>
#include <functional>
#include <vector>

#include "app/connect_dialog.h"
#include "app/csv_output_dialog.h"
#include "app/emf_output_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/settings_dialog.h"
#include "app/sql_output_dialog.h"
#include "app/status_dialog.h"
#include "app/text_dialog.h"
#include "app/ui_language.h"
#include "base/file_io.h"
#include "base/text_codec.h"
#include "session/catalogue_presentation.h"
#include "session/emf_choice.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

bool HasJapanese(const QString& text) {
    // Kana, CJK ideographs and their punctuation, full-width forms.
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef);
    });
}

// The language for one scope; afterwards no catalogue, as the other tests
// expect.
struct Language {
    explicit Language(UiLanguage language) { EXPECT_TRUE(InstallUiLanguage(language)); }
    ~Language() { RemoveUiLanguage(); }
};

using ShownText = std::pair<QString, QString>;  // where, text

// Every text of a widget's chrome: titles, captions, labels, hints, tab and
// menu names, placeholder texts, the items of fixed choice lists, column
// headings and the tree's own nodes (the root and the categories). What the
// user typed or the design holds (edit contents, list cells, names in the
// tree) is not chrome.
void CollectChrome(QWidget& top, std::vector<ShownText>& texts) {
    const auto add = [&texts](const QObject& owner, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts.emplace_back(owner.objectName() + QLatin1Char(' ') + QLatin1String(what), text);
    };
    add(top, "title", top.windowTitle());
    for (QAction* action : top.findChildren<QAction*>()) {
        add(*action, "action", action->text());
        // An action without a hint of its own shows its caption (without
        // accelerator marks and dots) as one.
        QString caption = action->text();
        if (action->toolTip() != caption.remove(u'&').remove(QStringLiteral("...")))
            add(*action, "hint", action->toolTip());
    }
    for (QWidget* w : top.findChildren<QWidget*>()) {
        add(*w, "hint", w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) add(*w, "label", label->text());
        // A tool button of an action shows the action's caption (collected
        // with the action).
        auto* tool = qobject_cast<QToolButton*>(w);
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && (!tool || !tool->defaultAction()))
            add(*w, "button", button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) add(*w, "group", group->title());
        if (auto* menu = qobject_cast<QMenu*>(w)) add(*w, "menu", menu->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) add(*w, "placeholder", edit->placeholderText());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) add(*w, "tab", tabs->tabText(i));
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i) add(*w, "choice", combo->itemText(i));
        if (auto* header = qobject_cast<QHeaderView*>(w);
            header && header->model() && header->orientation() == Qt::Horizontal)
            for (int i = 0; i < header->count(); ++i)
                add(*w, "heading", header->model()->headerData(i, Qt::Horizontal).toString());
        if (auto* tree = qobject_cast<QTreeView*>(w); tree && tree->model()) {
            const QAbstractItemModel& model = *tree->model();
            for (int r = 0; r < model.rowCount(); ++r) {
                const QModelIndex root = model.index(r, 0);
                add(*w, "tree root", root.data().toString());
                for (int s = 0; s < model.rowCount(root); ++s)
                    for (int c = 0; c < model.rowCount(model.index(s, 0, root)); ++c)
                        add(*w, "tree category",
                            model.index(c, 0, model.index(s, 0, root)).data().toString());
            }
        }
    }
}

// The window on the sample design with every dialog it opens (the ones it
// owns are its children), their chrome texts collected.
std::vector<ShownText> WindowAndDialogTexts() {
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    EXPECT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    window.Outputs().Sql().Prepare(window.Document().Manager());
    window.Outputs().Csv().Prepare(window.Document().Manager());
    int pagesX = 1, pagesY = 1;
    window.Document().DrawBox().GetPageCount(pagesX, pagesY);
    window.Outputs().Emf().Prepare(pagesX, pagesY);
    TConnectDlg connect;
    TSetDlgForm settings(window.Document().Settings());
    TTextDlg text;
    TStatusDlg status;
    status.Reset();
    std::vector<ShownText> texts;
    for (QWidget* top : std::initializer_list<QWidget*>{&window, &connect, &settings, &text, &status})
        CollectChrome(*top, texts);
    return texts;
}

TEST(UiLanguage, ChoosesTheFirstOfEnglishAndJapaneseInTheUsersOrder) {
    const std::pair<const char*, UiLanguage> cases[] = {
        {"en", UiLanguage::English},           {"en-US ja-JP", UiLanguage::English},
        {"ja-JP en-US", UiLanguage::Japanese}, {"de-DE en-GB", UiLanguage::English},
        {"de-DE fr", UiLanguage::Japanese},    {"", UiLanguage::Japanese},
    };
    for (const auto& [languages, expected] : cases)
        EXPECT_EQ(ChooseUiLanguage(QString::fromLatin1(languages).split(u' ', Qt::SkipEmptyParts)), expected)
            << languages;
}

// In English the window shows no Japanese; every Japanese text it shows in
// Japanese has an English translation in the English catalogue.
TEST(UiLanguage, EnglishWindowShowsNoJapaneseAndEveryJapaneseTextIsTranslated) {
    std::vector<ShownText> japanese;
    {
        const Language language(UiLanguage::Japanese);
        for (const ShownText& shown : WindowAndDialogTexts())
            if (HasJapanese(shown.second)) japanese.push_back(shown);
    }
    ASSERT_GT(japanese.size(), 150u);
    const Language english(UiLanguage::English);
    const std::vector<ShownText> texts = WindowAndDialogTexts();
    ASSERT_GT(texts.size(), 150u);  // the walk reached the menus, panels and dialogs
    for (const auto& [where, text] : texts)
        EXPECT_FALSE(HasJapanese(text)) << where.toStdString() << ": " << text.toStdString();
    for (const auto& [where, text] : japanese)
        EXPECT_FALSE(HasJapanese(TranslatedCoreText(text.toStdString())))
            << where.toStdString() << ": " << text.toStdString();
}

// The texts the core makes (messages with inserted parts, progress lines,
// list headings, choices) come out in English, inserted parts included;
// what the user wrote inside them stays as written.
TEST(UiLanguage, CoreTextsAreTranslatedWithTheirInsertedParts) {
    std::vector<std::string> core;
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-folder/x.tlx"));
    for (const std::function<void()>& fails : std::initializer_list<std::function<void()>>{
             [] { DecodeCp932("ok\n\x81"); }, [] { DecodeCp932("\xa0\xff"); },
             [] { ValidateUtf8("a\n\xff"); }, [] { EncodeCp932("\xf0\x9f\x98\x80"); },
             [&missing] { ReadFileBytes(missing.toStdString()); }}) {
        try {
            fails();
            ADD_FAILURE() << "no error";
        } catch (const std::exception& error) {
            core.emplace_back(error.what());
        }
    }
    core.push_back(EmfPageRangeText(12));
    for (const char* category : kCategoryTexts) core.emplace_back(category);
    for (const auto* items : {&TSetDlg::PagePositionItems(), &TSetDlg::PageNoFormItems(),
                              &TSetDlg::NotationItems(), &TSetDlg::TableItemItems()})
        core.insert(core.end(), items->begin(), items->end());

    const Language english(UiLanguage::English);
    for (const std::string& text : core) EXPECT_FALSE(HasJapanese(TranslatedCoreText(text))) << text;
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

}  // namespace
}  // namespace tabulorix
