#include "ThumbRenderer.h"

#include "BoundedWorker.h"
#include "JavaHost.h"
#include "ServerEvents.h"
#include "ServerModule.h"

#include <jni.h>
#include <pelmora/PendingJavaException.h>

#include <string>

namespace pelmora::thumbsrv {
namespace {

constexpr const char* rendererClass = "PelmoraThumb";
constexpr const char* createFromTextSignature = "(ILjava/lang/String;II)[B";
constexpr const char* createFromBytesSignature = "(I[BII)[B";
constexpr jint localFrameCapacity = 10;

enum class Variant { text, bytes };

// Everything one request looked up. Leaving it, however the request is left, detaches the thread again.
class ThumbRenderContext {
  public:
    ThumbRenderContext() = default;
    ThumbRenderContext(const ThumbRenderContext&) = delete;
    ThumbRenderContext& operator=(const ThumbRenderContext&) = delete;
    ~ThumbRenderContext() { endRenderRequest(); }

    // Attaches to the ready JVM as a daemon thread and looks up the class and both methods.
    void beginRenderRequest();
    void endRenderRequest();

    JNIEnv* env = nullptr;
    jclass thumbClass = nullptr;
    jmethodID createFromTextMethod = nullptr;
    jmethodID createFromBytesMethod = nullptr;

  private:
    JavaVM* javaVm_ = nullptr;
};

void ThumbRenderContext::beginRenderRequest() {
    javaVm_ = readyJavaVm();
    void* attached = nullptr;
    if (javaVm_ && javaVm_->AttachCurrentThreadAsDaemon(&attached, nullptr) == JNI_OK) {
        env = static_cast<JNIEnv*>(attached);
    }
    if (env) {
        thumbClass = env->FindClass(rendererClass);
        if (thumbClass) {
            createFromTextMethod = env->GetStaticMethodID(thumbClass, "create", createFromTextSignature);
            // A failed lookup leaves NoSuchMethodError pending, which the next lookup must not meet.
            describePendingException(env);
            createFromBytesMethod = env->GetStaticMethodID(thumbClass, "create", createFromBytesSignature);
        }
        describePendingException(env);
    }
    if (!createFromTextMethod) reportError(L"Failed to find create method", L"no methond found");
}

void ThumbRenderContext::endRenderRequest() {
    if (env) javaVm_->DetachCurrentThread();
    env = nullptr;
}

// The method's result as a BSTR carrying its bytes; null for a pending exception, a null result or a BSTR
// that cannot be allocated. An empty array gives an empty BSTR, not null.
BSTR javaBytesToBstr(JNIEnv* env, jobject result) {
    if (describePendingException(env)) return nullptr;
    if (!result) return nullptr;
    auto array = static_cast<jbyteArray>(result);
    const jsize length = env->GetArrayLength(array);
    if (length < 0) return nullptr;
    BSTR bytes = SysAllocStringByteLen(nullptr, static_cast<UINT>(length));
    if (!bytes) return nullptr;
    env->GetByteArrayRegion(array, 0, length, reinterpret_cast<jbyte*>(bytes));
    if (describePendingException(env)) {
        SysFreeString(bytes);
        return nullptr;
    }
    return bytes;
}

// Runs one request on the calling thread; makeArgument builds the Java argument inside the request's local
// frame.
template <class MakeArgument>
BSTR renderHere(Variant variant, std::uint16_t x, std::uint16_t y, MakeArgument makeArgument) {
    ThumbRenderContext context;
    context.beginRenderRequest();
    BSTR image = nullptr;
    const jmethodID method =
        variant == Variant::text ? context.createFromTextMethod : context.createFromBytesMethod;
    JNIEnv* env = context.env;
    if (method && env->PushLocalFrame(localFrameCapacity) == JNI_OK) {
        const jobject argument = makeArgument(env);
        if (argument && !env->ExceptionCheck()) {
            const jobject result = env->CallStaticObjectMethod(context.thumbClass, method, jint{1}, argument,
                                                               static_cast<jint>(x), static_cast<jint>(y));
            image = javaBytesToBstr(env, result);
        }
        describePendingException(env);
        env->PopLocalFrame(nullptr);
    } else if (env) {
        describePendingException(env);
    }
    if (!image) {
        reportError(L"Pelmora Thumbnail Generation failed",
                    variant == Variant::text ? L"path-based, no image" : L"stream based, no image");
    }
    return image;
}

// Java runs on a thread of its own, so that the main thread can give up on a request that does not come back.
BoundedWorker& renderThread() {
    static BoundedWorker worker;
    return worker;
}

class RequestInProgress {
  public:
    explicit RequestInProgress(CPelmoraThumbSrvModule& module) : module_(module) { module_.requestStarted(); }
    RequestInProgress(const RequestInProgress&) = delete;
    RequestInProgress& operator=(const RequestInProgress&) = delete;
    ~RequestInProgress() { module_.requestEnded(); }

  private:
    CPelmoraThumbSrvModule& module_;
};

// One request with every wait bounded; record names it in the event of a request that got stuck.
template <class MakeArgument>
BSTR render(Variant variant, std::uint16_t x, std::uint16_t y, const std::wstring& record,
            MakeArgument makeArgument) {
    CPelmoraThumbSrvModule& module = CPelmoraThumbSrvModule::current();
    const RequestInProgress inProgress(module);
    const ServerBounds& bounds = module.bounds();
    if (!waitForJavaVm(jvmThreadStarted() + bounds.jvmStart)) {
        module.endStuckServer(L"Java VM not ready in time", record);
    }
    BSTR image = nullptr;
    if (!renderThread().run([&] { image = renderHere(variant, x, y, makeArgument); }, bounds.render)) {
        module.endStuckServer(L"Thumbnail generation did not end in time", record);
    }
    return image;
}

}  // namespace

BSTR renderFromText(const wchar_t* text, std::uint32_t length, std::uint16_t x, std::uint16_t y) {
    const std::wstring record = text ? std::wstring(text, length) : std::wstring();
    return render(Variant::text, x, y, record, [&](JNIEnv* env) -> jobject {
        if (length > static_cast<std::uint32_t>(INT32_MAX)) return nullptr;
        return env->NewString(reinterpret_cast<const jchar*>(text), static_cast<jsize>(length));
    });
}

BSTR renderFromBytes(const std::uint8_t* bytes, std::uint32_t count, std::uint16_t x, std::uint16_t y) {
    const std::wstring record = L"content of " + std::to_wstring(count) + L" bytes";
    return render(Variant::bytes, x, y, record, [&](JNIEnv* env) -> jobject {
        if (count > static_cast<std::uint32_t>(INT32_MAX)) return nullptr;
        const auto size = static_cast<jsize>(count);
        jbyteArray array = env->NewByteArray(size);
        if (array && size > 0) env->SetByteArrayRegion(array, 0, size, reinterpret_cast<const jbyte*>(bytes));
        return array;
    });
}

}  // namespace pelmora::thumbsrv
