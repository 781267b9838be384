// NewObjectArray, GetObjectArrayElement, SetObjectArrayElement and GetArrayLength (for every array type).
#include "ArrayBounds.h"
#include "ClassDefinition.h"
#include "JavaExceptions.h"
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "NativeInterface.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

#include <algorithm>

namespace testjvm {
namespace {

const char anObjectArray[] = "an Object[]";

bool fitsElementClass(const ObjectArray& array, const JavaObject* element) {
    return element == nullptr || array.elementClass == "java/lang/Object" ||
           element->className == array.elementClass;
}

std::u16string dottedName(const std::string& className) {
    std::u16string name = utf16FromLatin1(className);
    std::replace(name.begin(), name.end(), u'/', u'.');
    return name;
}

jobjectArray JNICALL newObjectArray(JNIEnv* env, jsize length, jclass elementClass, jobject initialElement) {
    ThreadEnvironment& environment = enterJni(env, "NewObjectArray");
    // A JVM dereferences the class at once and crashes on null.
    if (elementClass == nullptr) failLoudly("NewObjectArray given a null element class");
    const auto& classObject = requireAs<ClassObject>(environment, elementClass, "NewObjectArray", "a class");
    JavaObject* initial = resolveObject(environment, initialElement, "NewObjectArray");
    if (length < 0) {
        throwJavaException(environment, "java/lang/NegativeArraySizeException",
                           utf16FromLatin1(std::to_string(length)));
        return nullptr;
    }
    auto* array = environment.vm.heap().allocate<ObjectArray>(classObject.definition.name,
                                                              static_cast<std::size_t>(length));
    if (!fitsElementClass(*array, initial)) {
        failLoudly("NewObjectArray given an initial element of class " + initial->className +
                   " for an array of " + array->elementClass);
    }
    std::fill(array->elements.begin(), array->elements.end(), initial);
    return static_cast<jobjectArray>(newLocalReference(environment, array));
}

jobject JNICALL getObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index) {
    ThreadEnvironment& environment = enterJni(env, "GetObjectArrayElement");
    auto& object = requireAs<ObjectArray>(environment, array, "GetObjectArrayElement", anObjectArray);
    if (!checkIndex(environment, index, object.elements.size())) return nullptr;
    return newLocalReference(environment, object.elements[static_cast<std::size_t>(index)]);
}

void JNICALL setObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index, jobject value) {
    ThreadEnvironment& environment = enterJni(env, "SetObjectArrayElement");
    auto& object = requireAs<ObjectArray>(environment, array, "SetObjectArrayElement", anObjectArray);
    JavaObject* element = resolveObject(environment, value, "SetObjectArrayElement");
    if (!checkIndex(environment, index, object.elements.size())) return;
    if (!fitsElementClass(object, element)) {
        throwJavaException(environment, "java/lang/ArrayStoreException", dottedName(element->className));
        return;
    }
    object.elements[static_cast<std::size_t>(index)] = element;
}

jsize JNICALL getArrayLength(JNIEnv* env, jarray array) {
    ThreadEnvironment& environment = enterJni(env, "GetArrayLength");
    JavaObject* object = resolveObject(environment, array, "GetArrayLength");
    std::size_t length = 0;
    if (auto* objects = dynamic_cast<ObjectArray*>(object)) {
        length = objects->elements.size();
    } else if (auto* bytes = dynamic_cast<ByteArray*>(object)) {
        length = bytes->elements.size();
    } else if (auto* ints = dynamic_cast<IntArray*>(object)) {
        length = ints->elements.size();
    } else if (auto* floats = dynamic_cast<FloatArray*>(object)) {
        length = floats->elements.size();
    } else {
        failWrongType("GetArrayLength", "an array", object);
    }
    return static_cast<jsize>(length);
}

}  // namespace

void installObjectArrayFunctions(JNINativeInterface_& table) {
    table.NewObjectArray = &newObjectArray;
    table.GetObjectArrayElement = &getObjectArrayElement;
    table.SetObjectArrayElement = &setObjectArrayElement;
    table.GetArrayLength = &getArrayLength;
}

}  // namespace testjvm
