// The maps from GDI object and DC handles to framework objects: permanent entries for the
// objects that own a handle, temporary wrappers for any other handle, one map per class so
// that a wrapper is always of the class asked for. Temporary wrappers are given back with
// the framework's other temporary objects, after the current message.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>

#include "framework/handle_map.h"

class CGdiObject;
class CDC;

namespace afx {

// Puts a handle into a wrapper (null: takes it out, so that destroying the wrapper gives
// back nothing of the system's).
void SetWrappedHandle(CGdiObject& wrapper, void* handle);
void SetWrappedHandle(CDC& wrapper, void* handle);

// The objects of classes derived from Base that own their handle.
template <class Base> class PermanentMap {
public:
    static Base* Lookup(void* handle) {
        auto it = Map().find(handle);
        return it == Map().end() ? nullptr : it->second;
    }
    static void Add(void* handle, Base* object) { Map()[handle] = object; }
    // Removes the entry only while it is still this object's.
    static void Remove(void* handle, Base* object) {
        auto it = Map().find(handle);
        if (it != Map().end() && it->second == object)
            Map().erase(it);
    }

private:
    static std::unordered_map<void*, Base*>& Map() {
        static std::unordered_map<void*, Base*> map;
        return map;
    }
};

// The temporary wrappers of class T.
template <class T> class TemporaryMap {
public:
    static T* Wrap(void* handle) {
        auto& map = Map();
        auto it = map.find(handle);
        if (it != map.end())
            return it->second.get();
        auto wrapper = std::make_unique<T>();
        SetWrappedHandle(*wrapper, handle);
        T* result = wrapper.get();
        map.emplace(handle, std::move(wrapper));
        return result;
    }

private:
    static std::unordered_map<void*, std::unique_ptr<T>>& Map() {
        static std::unordered_map<void*, std::unique_ptr<T>> map;
        static const bool registered = (AddTemporaryCleanup(&Clear), true);
        (void)registered;
        return map;
    }
    static void Clear() {
        auto& map = Map();
        for (auto& entry : map)
            SetWrappedHandle(*entry.second, nullptr);
        map.clear();
    }
};

// The permanent object of class T for a handle, else a temporary wrapper (null for null).
template <class T, class Base> T* FromHandleOf(void* handle) {
    if (!handle)
        return nullptr;
    if (T* object = dynamic_cast<T*>(PermanentMap<Base>::Lookup(handle)))
        return object;
    return TemporaryMap<T>::Wrap(handle);
}

} // namespace afx
