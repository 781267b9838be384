// Function tables whose every slot fails loudly by name until an implementation overwrites it.
#pragma once

#include "JniSlotNames.h"
#include "LoudFailure.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include <jni.h>

namespace testjvm {

// Names is a type with a static array "names" of the table's slot names, in order.
template <class Names, std::size_t Slot>
void JNICALL unsupportedSlot() {
    failLoudly("unsupported JNI function " + std::string(Names::names[Slot]));
}

// Every slot gets its own stub so the failure can name it. The stubs take no parameters: x64 has one calling
// convention in which the caller cleans up, so a stub is safe whatever signature its slot has.
template <class Table, class Names, std::size_t... Slots>
Table tableOfUnsupportedSlots(std::index_sequence<Slots...>) {
    static_assert(sizeof(void*) == 8, "the parameterless stubs rely on the x64 calling convention");
    const std::array<void*, sizeof...(Slots)> slots = {
        reinterpret_cast<void*>(&unsupportedSlot<Names, Slots>)...};
    static_assert(sizeof(Table) == sizeof(slots), "one stub per slot of the table");
    Table table;
    std::memcpy(&table, slots.data(), sizeof table);
    return table;
}

// Each name of the lists sits at its member's offset, so the names printed for unsupported slots are right.
#define TESTJVM_CHECK_NATIVE_SLOT(name)                                                                     \
    static_assert(offsetof(JNINativeInterface_, name) == slotIndex(nativeSlotNames, #name) * sizeof(void*), \
                  #name);
TESTJVM_NATIVE_SLOTS(TESTJVM_CHECK_NATIVE_SLOT)
#undef TESTJVM_CHECK_NATIVE_SLOT
static_assert(sizeof(JNINativeInterface_) == nativeSlotCount * sizeof(void*), "every slot is named");
#define TESTJVM_CHECK_INVOKE_SLOT(name)                                                                     \
    static_assert(offsetof(JNIInvokeInterface_, name) == slotIndex(invokeSlotNames, #name) * sizeof(void*), \
                  #name);
TESTJVM_INVOKE_SLOTS(TESTJVM_CHECK_INVOKE_SLOT)
#undef TESTJVM_CHECK_INVOKE_SLOT
static_assert(sizeof(JNIInvokeInterface_) == invokeSlotCount * sizeof(void*), "every slot is named");

struct NativeSlotNames {
    static constexpr const std::string_view* names = nativeSlotNames;
};
struct InvokeSlotNames {
    static constexpr const std::string_view* names = invokeSlotNames;
};

// The JNIEnv table and the JavaVM table with every slot failing loudly, for a runtime to fill in.
inline JNINativeInterface_ nativeTableOfUnsupportedSlots() {
    return tableOfUnsupportedSlots<JNINativeInterface_, NativeSlotNames>(
        std::make_index_sequence<nativeSlotCount>());
}
inline JNIInvokeInterface_ invokeTableOfUnsupportedSlots() {
    return tableOfUnsupportedSlots<JNIInvokeInterface_, InvokeSlotNames>(
        std::make_index_sequence<invokeSlotCount>());
}

}  // namespace testjvm
