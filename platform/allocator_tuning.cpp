// A schema of tens of thousands of tables is read into millions of small
// strings and rows. The programs are linked with mimalloc in place of the C
// library's allocator (it serves small blocks from per-size pages without
// locking or coalescing). Memory freed is kept for a few seconds before it
// goes back to the system: when a design replaces another, the old one is
// freed just before the new one is read, which then reuses its pages instead
// of faulting in fresh ones. Pages are taken from the system in the usual
// size: on a virtual machine, zeroing 2 MiB pages on their first touch cost
// more than the faults of small pages saved (see bench/RESULTS.md).
#include "platform/allocator_tuning.h"

#ifdef TABULORIX_WITH_MIMALLOC
#include <mimalloc.h>
#endif

namespace tabulorix {

void TuneAllocator() {
#ifdef TABULORIX_WITH_MIMALLOC
    constexpr long kKeepFreedMilliseconds = 5000;
    mi_option_set(mi_option_decommit_delay, kKeepFreedMilliseconds);
    mi_option_set(mi_option_segment_decommit_delay, kKeepFreedMilliseconds);
#endif
}

}  // namespace tabulorix
