// Allocation set-up of the programs that read and build whole schemas.
#pragma once

namespace tabulorix {

// Asks mimalloc to keep freed memory a few seconds before it goes back to
// the system, when the program is linked with it; does nothing otherwise.
// Call it first thing in main.
void TuneAllocator();

}  // namespace tabulorix
