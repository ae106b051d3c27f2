#include "app/core_texts.h"

#include <QtGlobal>

namespace tabulorix {

namespace {

constexpr const char* kTexts[] = {
    // Progress of reading a database or a design file.
    QT_TRANSLATE_NOOP("UiText", "テーブル情報解析中..."),
    QT_TRANSLATE_NOOP("UiText", "フィールド情報解析中..."),
    QT_TRANSLATE_NOOP("UiText", "ビュー情報解析中..."),
    QT_TRANSLATE_NOOP("UiText", "索引情報解析中..."),
    QT_TRANSLATE_NOOP("UiText", "制約情報解析中..."),
    QT_TRANSLATE_NOOP("UiText", "制約情報(Primary Key)解析中..."),
    QT_TRANSLATE_NOOP("UiText", "制約情報(Unique Key)解析中..."),
    QT_TRANSLATE_NOOP("UiText", "制約情報(Foreign Key)解析中..."),
    QT_TRANSLATE_NOOP("UiText", "制約情報(Condition)解析中..."),
    QT_TRANSLATE_NOOP("UiText", "テーブル間の関係解析中..."),
    QT_TRANSLATE_NOOP("UiText", "接続完了"),
    QT_TRANSLATE_NOOP("UiText", "定義情報問い合わせ中..."),
    QT_TRANSLATE_NOOP("UiText", "定義情報問い合わせ完了"),
    QT_TRANSLATE_NOOP("UiText", "情報処理中..."),
    QT_TRANSLATE_NOOP("UiText", "情報処理完了"),
    // Progress of the outputs.
    QT_TRANSLATE_NOOP("UiText", "SQL出力"),
    QT_TRANSLATE_NOOP("UiText", "CSV出力"),
    QT_TRANSLATE_NOOP("UiText", "表の列定義出力"),
    QT_TRANSLATE_NOOP("UiText", "ビューソース出力"),
    QT_TRANSLATE_NOOP("UiText", "索引出力"),
    QT_TRANSLATE_NOOP("UiText", "コメント出力"),
    QT_TRANSLATE_NOOP("UiText", "OBJECT権限出力"),
    QT_TRANSLATE_NOOP("UiText", "主キー出力"),
    QT_TRANSLATE_NOOP("UiText", "一意キー出力"),
    QT_TRANSLATE_NOOP("UiText", "条件出力"),
    QT_TRANSLATE_NOOP("UiText", "外部キー出力"),
    QT_TRANSLATE_NOOP("UiText", "ビュー出力"),
    QT_TRANSLATE_NOOP("UiText", "SQLソース出力"),
    // Messages and questions.
    QT_TRANSLATE_NOOP("UiText", "このデザインファイルは処理できません"),
    QT_TRANSLATE_NOOP("UiText", "デザインファイルの読み込みエラーが発生しました。"),
    QT_TRANSLATE_NOOP("UiText", "デザインファイルを保存しますか?"),
    QT_TRANSLATE_NOOP("UiText", "Wordへの出力に失敗しました"),
    QT_TRANSLATE_NOOP("UiText", "ページを数値で入力してください。"),
    QT_TRANSLATE_NOOP("UiText", "ページ番号が範囲外です。"),
    // File dialogs.
    QT_TRANSLATE_NOOP("UiText", "名前を付けて保存"),
    QT_TRANSLATE_NOOP("UiText", "デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*"),
    // The design's name before it is saved.
    QT_TRANSLATE_NOOP("UiText", "無題"),
    // Tree categories and list headings.
    QT_TRANSLATE_NOOP("UiText", "表"),
    QT_TRANSLATE_NOOP("UiText", "ビュー"),
    QT_TRANSLATE_NOOP("UiText", "制約"),
    QT_TRANSLATE_NOOP("UiText", "索引"),
    QT_TRANSLATE_NOOP("UiText", "OBJECT権限"),
    QT_TRANSLATE_NOOP("UiText", "スキーマ名"),
    QT_TRANSLATE_NOOP("UiText", "論理表名"),
    QT_TRANSLATE_NOOP("UiText", "物理表名"),
    QT_TRANSLATE_NOOP("UiText", "論理列名"),
    QT_TRANSLATE_NOOP("UiText", "物理列名"),
    QT_TRANSLATE_NOOP("UiText", "タイプ"),
    QT_TRANSLATE_NOOP("UiText", "キー"),
    QT_TRANSLATE_NOOP("UiText", "型"),
    QT_TRANSLATE_NOOP("UiText", "桁数"),
    QT_TRANSLATE_NOOP("UiText", "NULL可"),
    QT_TRANSLATE_NOOP("UiText", "省略時値"),
    QT_TRANSLATE_NOOP("UiText", "コメント"),
    QT_TRANSLATE_NOOP("UiText", "制約名"),
    QT_TRANSLATE_NOOP("UiText", "状態"),
    QT_TRANSLATE_NOOP("UiText", "位置"),
    QT_TRANSLATE_NOOP("UiText", "動詞句"),
    QT_TRANSLATE_NOOP("UiText", "参照先オーナー"),
    QT_TRANSLATE_NOOP("UiText", "参照先制約名"),
    QT_TRANSLATE_NOOP("UiText", "削除規則"),
    QT_TRANSLATE_NOOP("UiText", "参照先論理表名"),
    QT_TRANSLATE_NOOP("UiText", "参照先物理表名"),
    QT_TRANSLATE_NOOP("UiText", "参照先論理列名"),
    QT_TRANSLATE_NOOP("UiText", "参照先物理列名"),
    QT_TRANSLATE_NOOP("UiText", "条件"),
    QT_TRANSLATE_NOOP("UiText", "索引名"),
    QT_TRANSLATE_NOOP("UiText", "一意性"),
    QT_TRANSLATE_NOOP("UiText", "権限受領者"),
    QT_TRANSLATE_NOOP("UiText", "権限付与者"),
    QT_TRANSLATE_NOOP("UiText", "権限名"),
    QT_TRANSLATE_NOOP("UiText", "ビューソース"),
    QT_TRANSLATE_NOOP("UiText", "フラグ"),
    // The lists of the CSV output.
    QT_TRANSLATE_NOOP("UiText", "表一覧"),
    QT_TRANSLATE_NOOP("UiText", "列定義一覧"),
    QT_TRANSLATE_NOOP("UiText", "主キー制約一覧"),
    QT_TRANSLATE_NOOP("UiText", "一意制約一覧"),
    QT_TRANSLATE_NOOP("UiText", "外部キー制約一覧"),
    QT_TRANSLATE_NOOP("UiText", "条件制約一覧"),
    QT_TRANSLATE_NOOP("UiText", "索引一覧"),
    QT_TRANSLATE_NOOP("UiText", "ビューソース一覧"),
    QT_TRANSLATE_NOOP("UiText", "OBJECT権限一覧"),
    // The choices of the settings dialog.
    QT_TRANSLATE_NOOP("UiText", "下-右"),
    QT_TRANSLATE_NOOP("UiText", "下-中央"),
    QT_TRANSLATE_NOOP("UiText", "下-左"),
    QT_TRANSLATE_NOOP("UiText", "上-右"),
    QT_TRANSLATE_NOOP("UiText", "上-中央"),
    QT_TRANSLATE_NOOP("UiText", "上-左"),
    QT_TRANSLATE_NOOP("UiText", "なし"),
    QT_TRANSLATE_NOOP("UiText", " - 頁 -"),
    QT_TRANSLATE_NOOP("UiText", " - 縦-横 -"),
    QT_TRANSLATE_NOOP("UiText", "IDEF1X風"),
    QT_TRANSLATE_NOOP("UiText", "IDEF1X風+索引記号"),
    QT_TRANSLATE_NOOP("UiText", "IDEF1X風+索引記号+索引文字記号"),
    QT_TRANSLATE_NOOP("UiText", "キー記号+索引記号+索引文字記号"),
    QT_TRANSLATE_NOOP("UiText", "表名とキー/索引列"),
    QT_TRANSLATE_NOOP("UiText", "表名とすべての列"),
    QT_TRANSLATE_NOOP("UiText", "表名のみ"),
    QT_TRANSLATE_NOOP("UiText", "用紙横方向枚数"),
    QT_TRANSLATE_NOOP("UiText", "用紙縦方向枚数"),
};

constexpr const char* kPatterns[] = {
    QT_TRANSLATE_NOOP("UiText", "ユーザ名:%1  サービス名:%2  接続要求中........."),
    QT_TRANSLATE_NOOP("UiText", "スキーマ %1 の定義情報をコピー中..."),
    QT_TRANSLATE_NOOP("UiText", "%1行"),
    QT_TRANSLATE_NOOP("UiText", "指定範囲 1 - %1"),
    QT_TRANSLATE_NOOP("UiText", "%1は存在しますファイルを上書きしますか?"),
    QT_TRANSLATE_NOOP("UiText", "%1は変更されています。デザインファイルを保存しますか?"),
    QT_TRANSLATE_NOOP("UiText", "デザインファイルのスキーマ %1 にセクション %2 が %3 回あります。すべての行を読み込みました。"),
    QT_TRANSLATE_NOOP("UiText", "%1には整数を入力してください: \"%2\""),
    QT_TRANSLATE_NOOP("UiText", "%1は %2 枚までです: \"%3\""),
    QT_TRANSLATE_NOOP("UiText", "設定項目 %1 の値 \"%2\" は整数ではありません"),
    QT_TRANSLATE_NOOP("UiText", "ファイル \"%1\" を保存できません: %2"),
    QT_TRANSLATE_NOOP("UiText", "ファイル \"%1\" を読み込めません: %2"),
    QT_TRANSLATE_NOOP("UiText", "%1 には Shift-JIS で表せない文字 %2 が含まれるため、UTF-8 (BOM 付き) で保存しました。"),
    QT_TRANSLATE_NOOP("UiText", "UTF-8 として正しくないバイト %1 があります (%2 行目、先頭から %3 バイト目)"),
    QT_TRANSLATE_NOOP("UiText", "CP932 の文字 %1 が途中で終わっています (%2 行目、先頭から %3 バイト目)"),
    QT_TRANSLATE_NOOP("UiText", "CP932 として読めないバイト %1 があります (%2 行目、先頭から %3 バイト目)"),
    QT_TRANSLATE_NOOP("UiText", "文字 %1 は CP932 で表せません (%2 行目)"),
};

}  // namespace

std::span<const char* const> CoreTexts() { return kTexts; }

std::span<const char* const> CoreTextPatterns() { return kPatterns; }

}  // namespace tabulorix
