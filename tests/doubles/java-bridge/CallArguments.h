// The arguments of a static call, taken from a va_list or a jvalue array by the method's descriptor and
// sent as the Java side reads them: the type letter ('L' for every reference), then the value.
#pragma once

#include "Connection.h"
#include "MethodDescriptor.h"

#include <cstdarg>

#include <jni.h>

namespace javabridge {

void appendArguments(Message& request, const testjvm::MethodDescriptor& descriptor, va_list arguments);
void appendArguments(Message& request, const testjvm::MethodDescriptor& descriptor, const jvalue* arguments);

}  // namespace javabridge
