#include "NativeInterface.h"

#include "UnsupportedSlots.h"

#include <cstddef>

namespace testjvm {
namespace {

JNINativeInterface_ buildNativeInterface() {
    auto table = nativeTableOfUnsupportedSlots();
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
