// Machine-dependent JNI types. For 64-bit Windows, the deliverables' platform: exported functions use
// dllexport, JNI calls __stdcall (the only x64 convention), jint is 32 bits and jlong 64 bits. The native
// build of the pure logic (sanitizers, fuzzing) gets the same sizes on Linux.
#ifndef PELMORA_JNI_MD_H
#define PELMORA_JNI_MD_H

#ifdef _WIN32
#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall
typedef long jint;
#else
#define JNIEXPORT __attribute__((visibility("default")))
#define JNIIMPORT
#define JNICALL
typedef int jint;
#endif

typedef long long jlong;
typedef signed char jbyte;

#endif
