// The SQL DDL generator: turns the table and view boxes of the diagram back
// into Oracle DDL (creation or removal statements), one text whose lines end
// with a line feed. The boxes' own part is their virtual WriteBoxScript.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class MGSchema;
class MGShapeTable;
class ZMGRowExt;
class ZMGRowCell;

// One column of CREATE TABLE: name, type, length, default and NOT NULL.
// Types that take no length are followed by a blank; a length is added in
// parentheses only when there is one and the type does not carry its own
// parentheses already (TIMESTAMP(6), INTERVAL DAY(2) TO SECOND(6)).
std::string ColumnDefinition(const ZMGRowExt& column);

// "\n/* 表 : NAME の label */\n" when the flags ask for comment headers.
void AppendCommentHeader(const MGShapeTable& box, std::uint32_t scriptFlags, const std::string& label,
                         std::string& out);

// The view source without its empty lines: a line feed is kept only when
// some other character came after the previous kept one.
std::string RemoveBlankLines(const std::string& source);

// The primary-key or unique row of a table box that a foreign-key row
// references (same referenced owner, same key number), with its box; none
// when the key is not among the boxes.
struct MGReferencedKey {
    const MGShapeTable* box = nullptr;
    const ZMGRowCell* key = nullptr;
};
MGReferencedKey FindReferencedKey(const MGShapeTable& child, const ZMGRowExt& foreignKeyRow);

// While an object of this class lives, FindReferencedKey answers on its
// thread from one index of the current diagram's keys, built when the object
// is made, instead of reading every box for each foreign key. Writers that
// look up many foreign keys (scripts, lists, design files) hold one for their
// walk; the boxes' keys must not change meanwhile. Scopes nest.
class MGReferencedKeyScope {
public:
    struct Index;  // defined with the lookup

    MGReferencedKeyScope();
    // Answers from an index built earlier, perhaps on another thread.
    explicit MGReferencedKeyScope(std::shared_ptr<const Index> index);
    ~MGReferencedKeyScope();
    MGReferencedKeyScope(const MGReferencedKeyScope&) = delete;
    MGReferencedKeyScope& operator=(const MGReferencedKeyScope&) = delete;

    // The index of the current diagram's keys (null without a diagram).
    static std::shared_ptr<const Index> BuildIndex();

private:
    std::shared_ptr<const Index> index_;
    const Index* previous_;
};

// Runs the passes of the flags over the boxes of the owner (every box when
// owner is empty; with visibleOnly only boxes whose visible flag is set) and
// appends their statements to out. Each pass shows its text and position in
// the status dialog; when cancellable and the cancel flag is set the result
// is false. perBoxMode 1 stores each box's statements as its SQL source.
bool GenerateScript(MGSchema* schema, bool cancellable, bool visibleOnly, const std::string& owner,
                    std::string& out, std::uint32_t scriptFlags, int perBoxMode, bool blankLineRemoval);

// Gives every table and view box of the diagram its SQL source text (the
// flags of the box source, every owner).
void GenerateBoxSources(MGSchema* schema);
