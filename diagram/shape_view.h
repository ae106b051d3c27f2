// A view box: shown like a table, outlined dotted and without key symbols,
// carrying the view's source text.
#pragma once

#include <cstdint>
#include <string>

#include "diagram/shape_table.h"

namespace tabulorix {

class MGShapeView : public MGShapeTable {
public:
    MGShapeView();
    MGShapeView(int schemaNumber, const std::string& owner, const std::string& logicalName,
                const std::string& name, const std::string& comment, const std::string& viewSource);
    ~MGShapeView() override;

    // Slot 11: the view statement.
    void WriteObjectStatement(std::uint32_t scriptFlags, std::string& out) override;
    // Slot 12: the script steps of a view.
    bool WriteBoxScript(std::uint32_t scriptFlags, std::string& out, int perBoxMode,
                        bool blankLineRemoval) override;
    // Slot 13: "View" or "ビュー".
    std::string GetTypeName(bool englishKeys) const override;
    bool WriteBoxRows(std::uint32_t sectionKind, ZMGCell& target, bool englishKeys) override;

    const std::string& ViewSource() const { return viewSource_; }
    void SetViewSource(const std::string& source) { viewSource_ = source; }

private:
    std::string viewSource_;
};

}  // namespace tabulorix
