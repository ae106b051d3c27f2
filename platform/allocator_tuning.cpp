// A schema of tens of thousands of tables is read into millions of small
// strings and rows. The programs are linked with mimalloc in place of the C
// library's allocator (it serves small blocks from per-size pages without
// locking or coalescing), and mimalloc is asked to take its memory from the
// system in 2 MiB pages: with 4 KiB pages a quarter of the reading time went
// into page faults of the growing heap. Memory freed is kept for a few
// seconds before it goes back to the system: when a design replaces another,
// the old one is freed just before the new one is read, which then reuses
// its pages instead of faulting in fresh ones. Blocks of many megabytes (the
// file's bytes, the vector of its half a million lines) are not taken from
// mimalloc's segments but straight from the system and went back to it when
// freed, so every load faulted them in afresh (on a virtual machine, joining
// the two halves of the decoded lines took longer than decoding them).
// Address space reserved for mimalloc at start serves them too, and their
// pages stay with the process for the next design. The reservation is
// address space only: pages count as used memory once they are written.
#include "platform/allocator_tuning.h"

#ifdef TABULORIX_WITH_MIMALLOC
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

#include <mimalloc.h>
#endif

namespace tabulorix {

#ifdef TABULORIX_WITH_MIMALLOC
namespace {

// Hands mimalloc a region of address space, aligned to its segments and
// marked for transparent huge pages (mimalloc's own reservations are not,
// and faulted in 4 KiB pages). Where the system refuses the mapping,
// mimalloc takes its memory from the system as before.
void ReserveAddressSpace() {
    constexpr std::uintptr_t kReservedBytes = std::uintptr_t{4} << 30;
    constexpr std::uintptr_t kAlignment = std::uintptr_t{64} << 20;
    constexpr std::uintptr_t kMapped = kReservedBytes + kAlignment;
    void* mapped =
        mmap(nullptr, kMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED) return;
    // The aligned part is kept; what lies before and after it is unmapped.
    const auto first = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t start = (first + kAlignment - 1) & ~(kAlignment - 1);
    const std::uintptr_t end = start + kReservedBytes;
    if (start > first) munmap(mapped, start - first);
    if (first + kMapped > end) munmap(reinterpret_cast<void*>(end), first + kMapped - end);
    void* region = reinterpret_cast<void*>(start);
    madvise(region, kReservedBytes, MADV_HUGEPAGE);
    if (!mi_manage_os_memory(region, kReservedBytes, true, false, true, -1)) munmap(region, kReservedBytes);
}

}  // namespace
#endif

void TuneAllocator() {
#ifdef TABULORIX_WITH_MIMALLOC
    mi_option_enable(mi_option_large_os_pages);
    constexpr long kKeepFreedMilliseconds = 5000;
    mi_option_set(mi_option_decommit_delay, kKeepFreedMilliseconds);
    mi_option_set(mi_option_segment_decommit_delay, kKeepFreedMilliseconds);
    ReserveAddressSpace();
#endif
}

}  // namespace tabulorix
