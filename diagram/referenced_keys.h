// The primary-key or unique row that a foreign-key row references, found
// through an index of the diagram's keys while a writer walks the boxes.
#pragma once

#include <memory>

namespace tabulorix {

class MGShapeTable;
class ZMGRowExt;
class ZMGRowCell;

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

}  // namespace tabulorix
