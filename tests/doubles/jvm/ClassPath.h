// Whether the application's classes can be loaded: its jar must be on the class path the runtime was given.
#pragma once

#include <string_view>

namespace testjvm {

// The class path is ';'-separated; relative entries count from the current directory at the time of the call.
// An entry qualifies when it names an existing file called Pelmora.jar, in any letter case.
bool applicationJarOnClassPath(std::u16string_view classPath);

}  // namespace testjvm
