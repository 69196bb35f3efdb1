#include "sim/hidparse/preparsed.h"

#include <new>
#include <set>

namespace simhid::detail {

namespace {

// The blocks alive. The program runs on one thread, but the lock keeps tests that parse on
// several threads honest.
SRWLOCK g_lock = SRWLOCK_INIT;

std::set<const void*>& LiveBlocks() {
    static std::set<const void*> blocks;
    return blocks;
}

} // namespace

PHIDP_PREPARSED_DATA Publish(Preparsed* block) {
    if (!block)
        return nullptr;
    block->magic = kPreparsedMagic;
    AcquireSRWLockExclusive(&g_lock);
    bool added = LiveBlocks().insert(block).second;
    ReleaseSRWLockExclusive(&g_lock);
    if (!added) {
        delete block;
        return nullptr;
    }
    return reinterpret_cast<PHIDP_PREPARSED_DATA>(block);
}

const Preparsed* Lookup(PHIDP_PREPARSED_DATA data) {
    if (!data)
        return nullptr;
    AcquireSRWLockShared(&g_lock);
    bool alive = LiveBlocks().count(data) != 0;
    ReleaseSRWLockShared(&g_lock);
    if (!alive)
        return nullptr;
    const Preparsed* block = reinterpret_cast<const Preparsed*>(data);
    return block->magic == kPreparsedMagic ? block : nullptr;
}

void Release(PHIDP_PREPARSED_DATA data) {
    if (!data)
        return;
    AcquireSRWLockExclusive(&g_lock);
    bool alive = LiveBlocks().erase(data) != 0;
    ReleaseSRWLockExclusive(&g_lock);
    if (!alive)
        return;
    Preparsed* block = reinterpret_cast<Preparsed*>(data);
    block->magic = 0;
    delete block;
}

} // namespace simhid::detail
