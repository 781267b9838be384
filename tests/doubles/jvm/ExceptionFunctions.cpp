// ExceptionOccurred, ExceptionDescribe, ExceptionClear and ExceptionCheck.
#include "EventLog.h"
#include "JavaExceptions.h"
#include "JniEntry.h"
#include "LocalReferences.h"
#include "NativeInterface.h"
#include "StandardStreams.h"
#include "TextConversion.h"

namespace testjvm {
namespace {

jthrowable JNICALL exceptionOccurred(JNIEnv* env) {
    ThreadEnvironment& environment = enterJni(env, "ExceptionOccurred", WhilePending::allowed);
    return static_cast<jthrowable>(newLocalReference(environment, environment.pendingException));
}

void JNICALL exceptionDescribe(JNIEnv* env) {
    ThreadEnvironment& environment = enterJni(env, "ExceptionDescribe", WhilePending::allowed);
    if (environment.pendingException == nullptr) return;
    const std::u16string text = describeThrowable(*environment.pendingException);
    writeStandardError("Exception in thread \"" + environment.threadName + "\" " + utf8FromUtf16(text) +
                       "\n");
    recordEvent("describe " + logText(text));
    // HotSpot clears the exception once it is printed.
    environment.pendingException = nullptr;
}

void JNICALL exceptionClear(JNIEnv* env) {
    ThreadEnvironment& environment = enterJni(env, "ExceptionClear", WhilePending::allowed);
    environment.pendingException = nullptr;
}

jboolean JNICALL exceptionCheck(JNIEnv* env) {
    ThreadEnvironment& environment = enterJni(env, "ExceptionCheck", WhilePending::allowed);
    return environment.pendingException != nullptr ? JNI_TRUE : JNI_FALSE;
}

}  // namespace

void installExceptionFunctions(JNINativeInterface_& table) {
    table.ExceptionOccurred = &exceptionOccurred;
    table.ExceptionDescribe = &exceptionDescribe;
    table.ExceptionClear = &exceptionClear;
    table.ExceptionCheck = &exceptionCheck;
}

}  // namespace testjvm
