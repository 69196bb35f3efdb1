// The counters used by the leak checks move when something is kept on purpose.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "tests/support/resource_counters.h"

TEST(ResourceCounters, MoveWhenObjectsAreKeptAndComeBackWhenGivenBack) {
    const int gdi = res::GdiObjectCount();
    const int handles = res::KernelHandleCount();
    const size_t heap = res::HeapBytesInUse();
    ASSERT_GT(gdi, 0);

    HBRUSH brushes[5];
    for (int i = 0; i < 5; ++i)
        brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
    HANDLE events[3];
    for (HANDLE& e : events)
        e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    void* block = HeapAlloc(GetProcessHeap(), 0, 100000);

    EXPECT_EQ(res::GdiObjectCount(), gdi + 5);
    EXPECT_EQ(res::KernelHandleCount(), handles + 3);
    EXPECT_GE(res::HeapBytesInUse(), heap + 100000);

    for (HBRUSH b : brushes)
        DeleteObject(b);
    for (HANDLE e : events)
        CloseHandle(e);
    HeapFree(GetProcessHeap(), 0, block);
    EXPECT_EQ(res::GdiObjectCount(), gdi);
    EXPECT_EQ(res::KernelHandleCount(), handles);
}
