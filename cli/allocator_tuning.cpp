// A schema of tens of thousands of tables is read into millions of small
// strings and rows. The programs are linked with mimalloc in place of the C
// library's allocator (it serves small blocks from per-size pages without
// locking or coalescing), and mimalloc is asked to take its memory from the
// system in 2 MiB pages: with 4 KiB pages a quarter of the reading time went
// into page faults of the growing heap. Memory freed is kept for a few
// seconds before it goes back to the system: when a design replaces another,
// the old one is freed just before the new one is read, which then reuses
// its pages instead of faulting in fresh ones.
#include "cli/allocator_tuning.h"

#ifdef TABULORIX_WITH_MIMALLOC
#include <mimalloc.h>
#endif

namespace tabulorix::cli {

void TuneAllocator() {
#ifdef TABULORIX_WITH_MIMALLOC
    mi_option_enable(mi_option_large_os_pages);
    constexpr long kKeepFreedMilliseconds = 5000;
    mi_option_set(mi_option_decommit_delay, kKeepFreedMilliseconds);
    mi_option_set(mi_option_segment_decommit_delay, kKeepFreedMilliseconds);
#endif
}

}  // namespace tabulorix::cli
