// The SQL source texts of the boxes after a design is loaded: on a schema of
// tens of thousands of tables they take about as long as building the
// diagram, so they are written on both threads once every change to the
// boxes' rows, names and keys is done.
#pragma once

namespace tabulorix {

// Gives every table and view box its SQL source text (the box-source flags,
// every owner), the same texts GenerateBoxSources writes. The boxes are
// written in runs shared by this thread and the worker, joined before it
// returns; rethrows what the writing threw.
void WriteBoxSources();

}  // namespace tabulorix
