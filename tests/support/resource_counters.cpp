#include "tests/support/resource_counters.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace res {
namespace {

// One entry of the GDI handle table that the PEB points to (GdiSharedHandleTable).
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr int kGdiMaxHandles = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0xF8; // x64 PEB offset

} // namespace

int GdiObjectCount() {
    PROCESS_BASIC_INFORMATION info = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                  nullptr) != 0)
        return -1;
    auto* peb = reinterpret_cast<BYTE*>(info.PebBaseAddress);
    auto* table = *reinterpret_cast<GdiHandleEntry**>(peb + kPebGdiSharedHandleTable);
    if (!table)
        return -1;
    int count = 0;
    for (int i = 0; i < kGdiMaxHandles; ++i)
        if (table[i].type)
            ++count;
    return count;
}

int KernelHandleCount() {
    int count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}

size_t HeapBytesInUse() {
    HANDLE heap = GetProcessHeap();
    size_t total = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            total += entry.cbData;
    HeapUnlock(heap);
    return total;
}

} // namespace res
