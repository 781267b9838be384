// Function tables whose every slot fails loudly by name until an implementation overwrites it.
#pragma once

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

}  // namespace testjvm
