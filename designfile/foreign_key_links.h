// Linking foreign keys to the keys they reference, once every owner is in
// the diagram: each foreign-key row takes the key number of the referenced
// primary or unique key, so that relationship lines and scripts find it.
#pragma once

class MGDrawTableList;

// For every table box and every foreign-key row of it, the key number
// becomes that of the first primary-key row, else the first unique row,
// named like the row's ReferenceName in a table box of its ReferenceOwner
// (box-list order); -1 when the referenced key is not in the diagram.
// Repeating it changes nothing.
void LinkForeignKeys(MGDrawTableList& diagram);
