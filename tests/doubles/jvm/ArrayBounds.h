// Java's index checks for arrays: a failed check leaves a pending ArrayIndexOutOfBoundsException with
// HotSpot's message.
#pragma once

#include "ThreadEnvironment.h"

#include <cstddef>

#include <jni.h>

namespace testjvm {

// False (exception pending) unless 0 <= index < length.
bool checkIndex(ThreadEnvironment& environment, jsize index, std::size_t length);
// False (exception pending) unless the region start..start+count lies inside the array.
bool checkRegion(ThreadEnvironment& environment, jsize start, jsize count, std::size_t length);

}  // namespace testjvm
