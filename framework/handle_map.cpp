#include "framework/handle_map.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/wnd.h"

namespace afx {
namespace {

std::unordered_map<HWND, CWnd*>& Permanent() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& Temporary() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

std::vector<void (*)()>& Cleanups() {
    static std::vector<void (*)()> list;
    return list;
}

} // namespace

CWnd* LookupPermanent(HWND hWnd) {
    auto it = Permanent().find(hWnd);
    return it == Permanent().end() ? nullptr : it->second;
}

void AddPermanent(HWND hWnd, CWnd* pWnd) {
    Permanent()[hWnd] = pWnd;
    Temporary().erase(hWnd);
}

void RemovePermanent(HWND hWnd) {
    Permanent().erase(hWnd);
}

CWnd* TemporaryWnd(HWND hWnd) {
    auto& map = Temporary();
    auto it = map.find(hWnd);
    if (it != map.end())
        return it->second.get();
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hWnd;
    CWnd* result = wrapper.get();
    map.emplace(hWnd, std::move(wrapper));
    return result;
}

void DeleteTemporaryObjects() {
    for (auto& entry : Temporary())
        entry.second->m_hWnd = nullptr;
    Temporary().clear();
    for (auto cleanup : Cleanups())
        cleanup();
}

void AddTemporaryCleanup(void (*cleanup)()) {
    Cleanups().push_back(cleanup);
}

} // namespace afx
