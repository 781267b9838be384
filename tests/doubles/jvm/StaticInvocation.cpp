#include "StaticInvocation.h"

#include "EventLog.h"
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "TextConversion.h"

namespace testjvm {
namespace {

bool isInstanceOf(const JavaObject& object, const std::string& fieldType) {
    if (fieldType.front() == '[') return object.className == fieldType;
    const std::string className = fieldType.substr(1, fieldType.size() - 2);
    return className == "java/lang/Object" || object.className == className;
}

std::string primitiveText(const jvalue& value, char type) {
    switch (type) {
        case 'Z':
            return value.z != 0 ? "true" : "false";
        case 'B':
            return std::to_string(value.b);
        case 'C':
            return logText(std::u16string(1, static_cast<char16_t>(value.c)));
        case 'S':
            return std::to_string(value.s);
        case 'I':
            return std::to_string(value.i);
        case 'J':
            return std::to_string(value.j);
        case 'F':
            return std::to_string(value.f);
        default:
            return std::to_string(value.d);
    }
}

// The texts the call line lists: each element of a String[], a String's text, a primitive's value, and for
// other objects their class (arrays with their length).
std::vector<std::string> argumentTexts(const StaticInvocation& invocation) {
    std::vector<std::string> texts;
    const auto objectText = [](const JavaObject* object) {
        if (object == nullptr) return std::string("null");
        if (const auto* string = dynamic_cast<const StringObject*>(object)) return logText(string->chars);
        if (const auto* bytes = dynamic_cast<const ByteArray*>(object)) {
            return object->className + " length=" + std::to_string(bytes->elements.size());
        }
        if (const auto* ints = dynamic_cast<const IntArray*>(object)) {
            return object->className + " length=" + std::to_string(ints->elements.size());
        }
        if (const auto* floats = dynamic_cast<const FloatArray*>(object)) {
            return object->className + " length=" + std::to_string(floats->elements.size());
        }
        return object->className;
    };
    for (std::size_t i = 0; i < invocation.arguments.size(); ++i) {
        const std::string& type = invocation.descriptor.parameterTypes[i];
        const JavaObject* object = invocation.objects[i];
        if (!isReferenceType(type)) {
            texts.push_back(primitiveText(invocation.arguments[i], type.front()));
        } else if (const auto* array = dynamic_cast<const ObjectArray*>(object)) {
            for (const JavaObject* element : array->elements) texts.push_back(objectText(element));
        } else {
            texts.push_back(objectText(object));
        }
    }
    return texts;
}

void recordCall(const StaticInvocation& invocation) {
    const std::vector<std::string> texts = argumentTexts(invocation);
    std::string record = std::string("call method=") + invocation.method.name +
                         " thread=" + std::to_string(invocation.environment.threadId) +
                         " count=" + std::to_string(texts.size());
    for (const std::string& text : texts) record += "\narg=" + text;
    // One record: main and commands may be called at the same time on two threads.
    recordEvent(record);
}

}  // namespace

std::vector<std::u16string> stringElements(const StaticInvocation& invocation, std::size_t argument) {
    std::vector<std::u16string> texts;
    const auto* array = dynamic_cast<const ObjectArray*>(invocation.objects.at(argument));
    if (array == nullptr) return texts;
    for (const JavaObject* element : array->elements) {
        if (const auto* string = dynamic_cast<const StringObject*>(element)) texts.push_back(string->chars);
    }
    return texts;
}

jobject callStaticMethod(JNIEnv* env, const char* function, jclass clazz, jmethodID methodId, ResultKind kind,
                         const ArgumentReader& readArgument) {
    const std::string name(function);
    ThreadEnvironment& environment = enterJni(env, function);
    const auto& classObject = requireAs<ClassObject>(environment, clazz, function, "a class");
    const auto* method = reinterpret_cast<const StaticMethodDefinition*>(methodId);
    if (!declaresMethod(classObject.definition, method)) {
        failLoudly(name + " given a method ID that is not a static method of " + classObject.definition.name);
    }
    StaticInvocation invocation{environment, *method, *parseMethodDescriptor(method->descriptor), {}, {}};
    const bool returnsObject = isReferenceType(invocation.descriptor.returnType);
    const bool returnsVoid = invocation.descriptor.returnType == "V";
    if ((kind == ResultKind::object && !returnsObject) || (kind == ResultKind::none && !returnsVoid)) {
        failLoudly(name + " used for " + method->name + method->descriptor);
    }
    for (std::size_t i = 0; i < invocation.descriptor.parameterTypes.size(); ++i) {
        const std::string& type = invocation.descriptor.parameterTypes[i];
        const jvalue value = readArgument(type);
        JavaObject* object = nullptr;
        if (isReferenceType(type)) {
            object = resolveObject(environment, value.l, function);
            if (object != nullptr && !isInstanceOf(*object, type)) {
                failLoudly(name + ": argument " + std::to_string(i + 1) + " of " + method->name +
                           " must be " + type + " but is an instance of " + object->className);
            }
        }
        invocation.arguments.push_back(value);
        invocation.objects.push_back(object);
    }

    recordCall(invocation);
    method->behaviour(invocation);
    if (environment.pendingException != nullptr) {
        recordEvent(std::string("throw method=") + method->name);
        return nullptr;
    }
    recordEvent(std::string("return method=") + method->name);
    return newLocalReference(environment, invocation.result);
}

}  // namespace testjvm
