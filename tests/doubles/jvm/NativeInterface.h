// The JNIEnv function table: every slot is filled; the ones this runtime does not implement fail loudly by
// name.
#pragma once

#include <jni.h>

namespace testjvm {

const JNINativeInterface_& nativeInterface();

// Each family of implemented functions writes its slots into the table.
void installClassFunctions(JNINativeInterface_& table);
void installStringFunctions(JNINativeInterface_& table);
void installObjectArrayFunctions(JNINativeInterface_& table);
void installPrimitiveArrayFunctions(JNINativeInterface_& table);
void installExceptionFunctions(JNINativeInterface_& table);
void installReferenceFunctions(JNINativeInterface_& table);
void installStaticCallFunctions(JNINativeInterface_& table);

}  // namespace testjvm
