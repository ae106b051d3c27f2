// The main thread: the one that started the program. The user-interface
// ports are called and the diagram is changed only there; a worker works on
// data of its own during a parallel phase that the main thread joins. Debug
// builds check it where it matters.
#pragma once

#include <cassert>

namespace tabulorix {

// True on the thread that ran the program's start-up.
bool OnMainThread();

// Stops a debug build when called off the main thread.
#define TABULORIX_ASSERT_MAIN_THREAD() \
    assert(::tabulorix::OnMainThread() && "only the main thread may do this")

}  // namespace tabulorix
