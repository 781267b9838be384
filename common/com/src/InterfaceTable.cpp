#include <pelmora/com/InterfaceTable.h>

namespace pelmora::com {

HRESULT answerFromInterfaceTable(std::initializer_list<InterfaceEntry> table, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    for (const InterfaceEntry& entry : table) {
        if (IsEqualIID(entry.iid, iid)) {
            entry.pointer->AddRef();
            *object = entry.pointer;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

}  // namespace pelmora::com
