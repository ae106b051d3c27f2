// A table box: a box with the table's constraint, index and privilege row
// tables and the attributes the script generator reads.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/row_table.h"
#include "diagram/shape_field.h"

namespace tabulorix {

class MGShapeTable : public MGShapeField {
public:
    MGShapeTable();
    MGShapeTable(int schemaNumber, const std::string& owner, const std::string& logicalName,
                 const std::string& name, const std::string& comment, bool detailed);
    ~MGShapeTable() override;

    // Slot 11: the box's own statement (CREATE or DROP TABLE; the view
    // statement for views) appended to out.
    virtual void WriteObjectStatement(std::uint32_t scriptFlags, std::string& out);
    // Slot 12: all statements of the box selected by the script flags.
    virtual bool WriteBoxScript(std::uint32_t scriptFlags, std::string& out, int perBoxMode,
                                bool blankLineRemoval);
    // Slot 13: the object-type label: "Table" or "表".
    virtual std::string GetTypeName(bool englishKeys) const;
    // The rows the box contributes to a design-file section or a CSV list.
    virtual bool WriteBoxRows(std::uint32_t sectionKind, ZMGCell& target, bool englishKeys);

    ZMGCell& IndexRows() { return *indexRows_; }
    const ZMGCell& IndexRows() const { return *indexRows_; }
    ZMGCell& PrimaryKeyRows() { return *primaryKeyRows_; }
    const ZMGCell& PrimaryKeyRows() const { return *primaryKeyRows_; }
    ZMGCell& UniqueRows() { return *uniqueRows_; }
    const ZMGCell& UniqueRows() const { return *uniqueRows_; }
    ZMGCell& ForeignKeyRows() { return *foreignKeyRows_; }
    const ZMGCell& ForeignKeyRows() const { return *foreignKeyRows_; }
    ZMGCell& ConditionRows() { return *conditionRows_; }
    const ZMGCell& ConditionRows() const { return *conditionRows_; }
    ZMGCell& PrivilegeRows() { return *privilegeRows_; }
    const ZMGCell& PrivilegeRows() const { return *privilegeRows_; }

    // Relationship lines drawn to this box during the current paint.
    int RelationCounter() const { return relationCounter_; }
    void SetRelationCounter(int count) {
        if (relationCounter_ != count) GeometryChanged();
        relationCounter_ = count;
    }

    const std::string& Comment() const { return comment_; }
    void SetComment(const std::string& comment) { comment_ = comment; }
    // The SQL source text shown on the box's detail page.
    const std::string& SqlSource() const { return sqlSource_; }
    void SetSqlSource(const std::string& source) { sqlSource_ = source; }

    // Line ends per side (top, left, right, bottom), used while spreading the
    // ends of the relationship lines.
    int SideCount(int side) const { return sideCounts_.at(static_cast<std::size_t>(side)); }
    void SetSideCount(int side, int count) { sideCounts_.at(static_cast<std::size_t>(side)) = count; }

private:
    std::unique_ptr<ZMGCell> indexRows_;
    std::unique_ptr<ZMGCell> primaryKeyRows_;
    std::unique_ptr<ZMGCell> uniqueRows_;
    std::unique_ptr<ZMGCell> foreignKeyRows_;
    std::unique_ptr<ZMGCell> conditionRows_;
    int relationCounter_ = 0;
    std::unique_ptr<ZMGCell> privilegeRows_;
    std::string comment_;
    std::string sqlSource_;
    std::array<int, 4> sideCounts_{};
};

}  // namespace tabulorix
