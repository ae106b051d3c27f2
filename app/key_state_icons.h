// The small pictures of the catalogue: the key-state images of the list rows
// (none, key column, unique index, non-unique index, both kinds of index)
// and the state images of the tree nodes (design, schema, category, table,
// view), drawn here so that they need no theme.
#pragma once

#include <QIcon>

namespace tabulorix {

// 0 none (an empty icon), 1 key column, 2 unique index, 3 non-unique index,
// 4 both kinds of index; any other number is none.
QIcon KeyStateIcon(int stateImage);
// The tree's state images (see tree_image in the presentation model).
QIcon TreeStateIcon(int stateImage);

}  // namespace tabulorix
