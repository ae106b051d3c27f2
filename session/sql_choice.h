// The choices of the SQL output dialog as plain values, and the script
// flags they give. The dialog's check boxes and the command line's `sql`
// options both fill an MGSqlChoice, so the dependencies between the choices
// live here once: no tables means no columns, indexes or constraints; no
// constraints none of the four kinds; no views no source (nor blank-line
// removal); the constraint form counts only for a creation script.
#pragma once

#include <cstdint>

namespace tabulorix {

// The dialog's start state: creation with ALTER TABLE constraints, every
// kind, comment headers, blank-line removal, visible boxes only.
struct MGSqlChoice {
    bool removal = false;            // 削除用SQL (else 生成用SQL)
    bool inlineConstraints = false;  // 制約出力形式: inside CREATE TABLE (else ALTER TABLE)
    bool boxByBox = false;           // 表単位
    bool ownerPrefix = false;        // スキーマ名付加
    bool headers = true;             // 内容説明コメント付加
    bool visibleOnly = true;         // 表示対象のみ出力
    bool tables = true;
    bool columns = true;
    bool indexes = true;
    bool constraints = true;
    bool primaryKeys = true;
    bool uniqueKeys = true;
    bool foreignKeys = true;
    bool conditions = true;
    bool views = true;
    bool viewSource = true;
    bool blankLineRemoval = true;
    bool comments = true;
    bool privileges = true;
};

// A click on 「表」: 列定義, 索引 and 制約 follow it, and the four kinds of
// 制約 follow that.
void ClickTables(MGSqlChoice& choice, bool ticked);
// A click on 「制約」: 主キー, 一意キー, 外部キー and 条件 follow it.
void ClickConstraints(MGSqlChoice& choice, bool ticked);
// A click on 「ビュー」: ソース follows it.
void ClickViews(MGSqlChoice& choice, bool ticked);

// Which controls can be clicked in the state.
struct MGSqlChoiceEnabled {
    bool tableKinds = true;        // 列定義, 索引, 制約
    bool constraintKinds = true;   // 主キー, 一意キー, 外部キー, 条件
    bool viewSource = true;        // ソース
    bool blankLineRemoval = true;  // 空行削除
    bool constraintForm = true;    // 制約出力形式
};
MGSqlChoiceEnabled EnabledControls(const MGSqlChoice& choice);

// The flags GenerateScript takes for the choice.
std::uint32_t ScriptFlagsOf(const MGSqlChoice& choice);

// Whether the view sources lose their blank lines: only when view sources
// are written at all.
bool RemovesBlankLines(const MGSqlChoice& choice);

}  // namespace tabulorix
