#include "session/sql_choice.h"

#include "diagram/script_flags.h"

namespace tabulorix {

using namespace script_flags;

std::uint32_t ScriptFlagsOf(const MGSqlChoice& c) {
    std::uint32_t flags = c.removal ? (kRemovalOrder | kSeparateConstraints) : kCreation;
    if (!c.removal) flags |= c.inlineConstraints ? kInlineConstraints : kSeparateConstraints;
    if (c.ownerPrefix) flags |= kOwnerPrefix;
    if (c.boxByBox) flags |= kBoxByBox;
    if (c.headers) flags |= kHeaders;
    const bool constraints = c.tables && c.constraints;
    if (c.tables) flags |= kTablesEnabled;
    if (c.tables && c.columns) flags |= kTables;
    if (c.tables && c.indexes) flags |= kIndexes;
    if (constraints && c.primaryKeys) flags |= kPrimaryKeys;
    if (constraints && c.uniqueKeys) flags |= kUniqueKeys;
    if (constraints && c.foreignKeys) flags |= kForeignKeys;
    if (constraints && c.conditions) flags |= kConditions;
    if (c.views) flags |= kViewsEnabled;
    if (c.views && c.viewSource) flags |= kViews;
    if (c.comments) flags |= kComments;
    if (c.privileges) flags |= kPrivileges;
    return flags;
}

bool RemovesBlankLines(const MGSqlChoice& c) {
    return c.blankLineRemoval && c.views && c.viewSource;
}

void ClickConstraints(MGSqlChoice& c, bool ticked) {
    c.constraints = ticked;
    c.primaryKeys = c.uniqueKeys = c.foreignKeys = c.conditions = ticked;
}

void ClickTables(MGSqlChoice& c, bool ticked) {
    c.tables = ticked;
    c.columns = c.indexes = ticked;
    ClickConstraints(c, ticked);
}

void ClickViews(MGSqlChoice& c, bool ticked) {
    c.views = ticked;
    c.viewSource = ticked;
}

MGSqlChoiceEnabled EnabledControls(const MGSqlChoice& c) {
    MGSqlChoiceEnabled enabled;
    enabled.tableKinds = c.tables;
    enabled.constraintKinds = c.tables && c.constraints;
    enabled.viewSource = c.views;
    enabled.blankLineRemoval = c.views && c.viewSource;
    enabled.constraintForm = !c.removal;
    return enabled;
}

}  // namespace tabulorix
