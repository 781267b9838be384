#include "NativeInterface.h"

#include "JniSlotNames.h"
#include "UnsupportedSlots.h"

#include <cstddef>

namespace testjvm {
namespace {

// Each name of the list sits at its member's offset: the names printed for unsupported slots are right.
#define TESTJVM_CHECK_SLOT(name)                                                                            \
    static_assert(offsetof(JNINativeInterface_, name) == slotIndex(nativeSlotNames, #name) * sizeof(void*), \
                  #name);
TESTJVM_NATIVE_SLOTS(TESTJVM_CHECK_SLOT)
#undef TESTJVM_CHECK_SLOT
static_assert(sizeof(JNINativeInterface_) == nativeSlotCount * sizeof(void*), "every slot is named");

struct NativeSlotNames {
    static constexpr const std::string_view* names = nativeSlotNames;
};

JNINativeInterface_ buildNativeInterface() {
    auto table = tableOfUnsupportedSlots<JNINativeInterface_, NativeSlotNames>(
        std::make_index_sequence<nativeSlotCount>());
    installClassFunctions(table);
    installStringFunctions(table);
    installObjectArrayFunctions(table);
    installPrimitiveArrayFunctions(table);
    installExceptionFunctions(table);
    installReferenceFunctions(table);
    installStaticCallFunctions(table);
    return table;
}

}  // namespace

const JNINativeInterface_& nativeInterface() {
    static const JNINativeInterface_ table = buildNativeInterface();
    return table;
}

}  // namespace testjvm
