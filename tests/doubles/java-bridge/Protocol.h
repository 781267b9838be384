// The wire format between this jvm.dll and its Java side (javabridge/Protocol.java), big-endian throughout.
// The numbers must stay equal on both sides.
#pragma once

#include <cstdint>

namespace javabridge::protocol {

// Control connection to the host: one spawn request with the current folder, environment variables for the
// Java process (name, value) and the JVM options.
inline constexpr std::uint8_t spawn = 'S';
inline constexpr std::uint8_t optionPlain = 0;
inline constexpr std::uint8_t optionPathList = 1;

// Control connection, from the host.
inline constexpr std::uint8_t hostPort = 1;
inline constexpr std::uint8_t hostStdout = 2;
inline constexpr std::uint8_t hostStderr = 3;
inline constexpr std::uint8_t hostExit = 4;

// First byte of a thread connection.
inline constexpr std::uint8_t helloCreator = 0;
inline constexpr std::uint8_t helloAttach = 1;
inline constexpr std::uint8_t helloAttachDaemon = 2;

// Requests on a thread connection.
enum Request : std::uint8_t {
    findClass = 1,
    getStaticMethodId = 2,
    newString = 3,
    newStringUtf = 4,
    newObjectArray = 5,
    setObjectArrayElement = 6,
    callStatic = 7,
    exceptionOccurred = 8,
    exceptionDescribe = 9,
    exceptionClear = 10,
    newByteArray = 11,
    setByteArrayRegion = 12,
    getByteArrayRegion = 13,
    getArrayLength = 14,
    pushLocalFrame = 15,
    popLocalFrame = 16,
    deleteLocalRef = 17,
    detach = 18,
    destroy = 19,
};

// Reply status. A fault is a misuse of JNI, reported loudly, not a Java exception.
inline constexpr std::uint8_t ok = 0;
inline constexpr std::uint8_t fault = 1;

}  // namespace javabridge::protocol
