// The objects of the runtime's heap. Each knows its Java class in JNI form ("java/lang/String", "[B").
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <jni.h>

namespace testjvm {

struct ClassDefinition;

struct JavaObject {
    explicit JavaObject(std::string javaClassName) : className(std::move(javaClassName)) {}
    JavaObject(const JavaObject&) = delete;
    JavaObject& operator=(const JavaObject&) = delete;
    virtual ~JavaObject() = default;

    const std::string className;
};

struct ClassObject : JavaObject {
    explicit ClassObject(const ClassDefinition& classDefinition)
        : JavaObject("java/lang/Class"), definition(classDefinition) {}
    const ClassDefinition& definition;
};

struct StringObject : JavaObject {
    explicit StringObject(std::u16string text) : JavaObject("java/lang/String"), chars(std::move(text)) {}
    const std::u16string chars;
};

struct ObjectArray : JavaObject {
    ObjectArray(const std::string& elementClassName, std::size_t length)
        : JavaObject("[L" + elementClassName + ";"), elementClass(elementClassName), elements(length) {}
    const std::string elementClass;
    std::vector<JavaObject*> elements;
};

// Element is jbyte, jint or jfloat; the class name is the array's descriptor ("[B", "[I", "[F").
template <class Element>
struct PrimitiveArray : JavaObject {
    PrimitiveArray(const char* descriptor, std::size_t length) : JavaObject(descriptor), elements(length) {}
    std::vector<Element> elements;
};

using ByteArray = PrimitiveArray<jbyte>;
using IntArray = PrimitiveArray<jint>;
using FloatArray = PrimitiveArray<jfloat>;

struct ThrowableObject : JavaObject {
    ThrowableObject(std::string javaClassName, std::optional<std::u16string> text)
        : JavaObject(std::move(javaClassName)), message(std::move(text)) {}
    const std::optional<std::u16string> message;
};

}  // namespace testjvm
