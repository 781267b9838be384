// QueryInterface as data: a class lists the interfaces it answers, each with the pointer that answers it.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <initializer_list>

namespace pelmora::com {

struct InterfaceEntry {
    const IID& iid;
    IUnknown* pointer;
};

// Gives the entry for iid with one reference added, or E_NOINTERFACE and null; E_POINTER for a null output.
HRESULT answerFromInterfaceTable(std::initializer_list<InterfaceEntry> table, REFIID iid, void** object);

}  // namespace pelmora::com
