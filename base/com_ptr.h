#pragma once

#include <unknwn.h>

#include "base/handles.h"

// A COM interface pointer with one owner, released when it goes or is reset.
template <class Interface>
struct ComReleaseTraits {
    static void Free(Interface* object) { object->Release(); }
};

template <class Interface>
using OwnedCom = Owned<Interface*, ComReleaseTraits<Interface>>;

// Asks source for another of its interfaces; an empty owner when the object has none.
template <class Interface>
OwnedCom<Interface> QueryOwned(IUnknown* source, REFIID iid, HRESULT* result) {
    Interface* raw = nullptr;
    *result = source->QueryInterface(iid, reinterpret_cast<void**>(&raw));
    return OwnedCom<Interface>(SUCCEEDED(*result) ? raw : nullptr);
}
