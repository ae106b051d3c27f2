// Allocation set-up of the programs that read and build whole schemas.
#pragma once

namespace tabulorix {

// Asks the allocator for large (2 MiB) pages, when the program is linked
// with mimalloc; does nothing otherwise. Call it first thing in main.
void TuneAllocator();

}  // namespace tabulorix
