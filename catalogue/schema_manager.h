// The schema manager: the catalogue of one main window, owning the schemas in
// reading order (the login user's schema first), the display mode, the
// modified flag and the design path.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/presentation_handles.h"
#include "catalogue/row_table.h"
#include "catalogue/schema.h"

namespace tabulorix {

// An entry of the queue of owners to read.
struct MGString {
    std::string name;
    int done = 0;  // 1 once the owner has been read or is being read
};

// The title of a design that has no file yet.
inline constexpr const char* kUntitledDesign = "無題";

class MGSchemaMng {
public:
    MGSchemaMng();
    ~MGSchemaMng();
    MGSchemaMng(const MGSchemaMng&) = delete;
    MGSchemaMng& operator=(const MGSchemaMng&) = delete;

    int SchemaCount() const { return static_cast<int>(schemas_.size()); }
    // The schema at a position, or none outside 0 .. SchemaCount() - 1.
    MGSchema* GetSchema(int position) const;
    // The first schema whose owner name equals owner exactly, or none.
    MGSchema* FindSchema(const std::string& owner) const;
    // Appends the schema; the manager takes ownership. A null schema is ignored.
    void AddSchema(std::unique_ptr<MGSchema> schema);
    // Forgets the current schema, then destroys all schemas (and with them
    // the diagram).
    void ClearSchemas();
    // 1 + the largest schema number; 1 without schemas.
    int NextSchemaNumber() const;

    MGSchema* CurrentSchema() const { return current_; }
    void SetCurrentSchema(MGSchema* schema) { current_ = schema; }

    // Bit 1 logical names, bit 2 physical names.
    int DisplayMode() const { return displayMode_; }
    void SetDisplayMode(int mode) { displayMode_ = mode; }

    bool Modified() const { return modified_; }
    void SetModified() { modified_ = true; }
    void ClearModified() { modified_ = false; }

    const std::string& DesignPath() const { return designPath_; }
    void SetDesignPath(const std::string& path) { designPath_ = path; }
    // kUntitledDesign without a path; else the file part of the path, cut before a
    // ".kvx" (found case-insensitively) that is not at its start.
    std::string DesignTitle() const;

    tabulorix::TreeNodeHandle RootNode() const { return rootNode_; }
    void SetRootNode(tabulorix::TreeNodeHandle node) { rootNode_ = node; }

    // The manager's own query result table.
    ZMGCell& QueryTable() { return *queryTable_; }

private:
    std::vector<std::unique_ptr<MGSchema>> schemas_;
    std::unique_ptr<ZMGCell> queryTable_;
    MGSchema* current_ = nullptr;
    int displayMode_ = 2;  // the window starts with physical names
    std::string reserved1_;
    std::string reserved2_;
    bool modified_ = false;
    tabulorix::TreeNodeHandle rootNode_;
    std::string designPath_;
};

}  // namespace tabulorix
