// What the process holds, for leak checks over repeated actions. The system's own counters
// (GetGuiResources, GetProcessHandleCount) read 0 under Wine, so these count directly.
#pragma once

#include <cstddef>

namespace res {

// GDI objects in the process's GDI handle table.
int GdiObjectCount();
// Open kernel handles (file, event, thread, ... handles of this process).
int KernelHandleCount();
// Bytes in use in the process heap.
size_t HeapBytesInUse();

} // namespace res
