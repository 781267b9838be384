// GetVersion, FindClass and GetStaticMethodID.
#include "ClassDefinition.h"
#include "ClassPath.h"
#include "EventLog.h"
#include "JavaExceptions.h"
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "NativeInterface.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

namespace testjvm {
namespace {

bool canLoad(const VirtualMachine& vm, const ClassDefinition& definition) {
    if (!definition.inApplicationJar) return true;
    const auto classPath = vm.settings().classPath();
    return classPath && applicationJarOnClassPath(*classPath);
}

jint JNICALL getVersion(JNIEnv* env) {
    enterJni(env, "GetVersion");
    return JNI_VERSION_10;
}

jclass JNICALL findClass(JNIEnv* env, const char* name) {
    ThreadEnvironment& environment = enterJni(env, "FindClass");
    if (name == nullptr) failLoudly("FindClass given a null class name");
    const std::u16string className = utf16FromModifiedUtf8(name);
    const ClassDefinition* definition = findClassDefinition(name);
    const bool found = definition != nullptr && canLoad(environment.vm, *definition);
    recordEvent("findclass name=" + logText(className) + " found=" + (found ? "1" : "0"));
    if (!found) {
        throwJavaException(environment, "java/lang/NoClassDefFoundError", className);
        return nullptr;
    }
    return static_cast<jclass>(newLocalReference(environment, environment.vm.classObject(*definition)));
}

jmethodID JNICALL getStaticMethodId(JNIEnv* env, jclass clazz, const char* name, const char* signature) {
    ThreadEnvironment& environment = enterJni(env, "GetStaticMethodID");
    const auto& classObject = requireAs<ClassObject>(environment, clazz, "GetStaticMethodID", "a class");
    if (name == nullptr || signature == nullptr)
        failLoudly("GetStaticMethodID given a null name or signature");
    const StaticMethodDefinition* method = findStaticMethod(classObject.definition, name, signature);
    if (method == nullptr) {
        // HotSpot's message names the class, the method and the descriptor asked for.
        const std::string message =
            std::string("static L") + classObject.definition.name + ";." + name + signature;
        throwJavaException(environment, "java/lang/NoSuchMethodError", utf16FromModifiedUtf8(message));
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(const_cast<StaticMethodDefinition*>(method));
}

}  // namespace

void installClassFunctions(JNINativeInterface_& table) {
    table.GetVersion = &getVersion;
    table.FindClass = &findClass;
    table.GetStaticMethodID = &getStaticMethodId;
}

}  // namespace testjvm
