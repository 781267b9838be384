// Machine-dependent JNI types for 64-bit Windows: exported functions use dllexport,
// JNI calls __stdcall (the only x64 convention), jint is 32 bits and jlong 64 bits.
#ifndef PELMORA_JNI_MD_H
#define PELMORA_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
