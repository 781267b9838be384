#include "BridgeVm.h"

#include "InvokeInterface.h"
#include "JniVersions.h"
#include "LoudFailure.h"
#include "OptionTranslation.h"
#include "Protocol.h"
#include "StandardStreams.h"
#include "TextConversion.h"
#include "UnixPaths.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace javabridge {
namespace {

// Never destroyed: threads of the application may still use it while the process ends.
BridgeVm* theVm = nullptr;
std::mutex creationMutex;

std::uint16_t hostPortFromEnvironment() {
    const char* text = std::getenv("PELMORA_JAVA_BRIDGE_PORT");
    char* end = nullptr;
    const long port = text != nullptr ? std::strtol(text, &end, 10) : 0;
    if (text == nullptr || *end != '\0' || port <= 0 || port > 65535) {
        testjvm::failLoudly("PELMORA_JAVA_BRIDGE_PORT does not name the port of a bridge host");
    }
    return static_cast<std::uint16_t>(port);
}

// Option texts are 8-bit, read in the ANSI code page as a JVM on Windows reads them.
std::wstring wideFromAnsi(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(length - 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return wide;
}

// A JVM in the process shares its current folder: the Java process starts in the same one.
std::wstring currentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return folder;
}

Connection openThreadConnection(std::uint16_t port, std::uint8_t hello, const std::string& name) {
    Connection connection = Connection::toLoopbackPort(port);
    connection.send(Message(hello).bytes(name));
    if (connection.readU8() != protocol::ok) testjvm::failLoudly("the Java side refused a thread");
    return connection;
}

}  // namespace

BridgeThread::BridgeThread(Connection threadConnection, DWORD id, bool isCreator)
    : env{JNIEnv_{}, this}, connection(std::move(threadConnection)), threadId(id), creator(isCreator) {
    env.jni.functions = &nativeInterface();
}

Connection& BridgeThread::request(const char* function, const Message& message) {
    try {
        connection.send(message);
        if (connection.readU8() == protocol::fault) {
            testjvm::failLoudly(std::string(function) + ": " + connection.readBytes());
        }
        pending = connection.readU8() != 0;
    } catch (const ConnectionLost&) {
        BridgeVm::instance()->javaProcess().awaitUnplannedEnd(function);
    }
    return connection;
}

BridgeVm* BridgeVm::instance() {
    return theVm;
}

jint BridgeVm::create(JavaVM** vm, void** env, const JavaVMInitArgs& arguments) {
    std::lock_guard<std::mutex> lock(creationMutex);
    if (theVm != nullptr) return JNI_EEXIST;
    if (!testjvm::isSupportedJniVersion(arguments.version)) return JNI_EVERSION;
    if (arguments.nOptions < 0 || (arguments.nOptions > 0 && arguments.options == nullptr)) return JNI_EINVAL;

    std::vector<std::wstring> options;
    for (jint i = 0; i < arguments.nOptions; ++i) {
        const char* text = arguments.options[i].optionString;
        if (text == nullptr) return JNI_EINVAL;
        const std::string option(text);
        if (option == "vfprintf" || option == "exit" || option == "abort") {
            testjvm::failLoudly("the JVM option hook \"" + option + "\" is not supported");
        }
        options.push_back(wideFromAnsi(text));
    }
    const OptionTranslation translation = translateOptions(options, arguments.ignoreUnrecognized, unixPathOf);
    if (!translation.unrecognized.empty()) {
        testjvm::writeStandardError("Unrecognized option: " +
                                    testjvm::utf8FromUtf16(testjvm::utf16FromWide(translation.unrecognized)) +
                                    "\n");
        return JNI_ERR;
    }

    std::unique_ptr<JavaProcess> javaProcess =
        JavaProcess::start(hostPortFromEnvironment(), unixPathOf(currentFolder()), translation.options);
    if (!javaProcess) return JNI_ERR;
    Connection creatorConnection;
    try {
        creatorConnection = openThreadConnection(javaProcess->port(), protocol::helloCreator, "main");
    } catch (const ConnectionLost&) {
        testjvm::failLoudly("the Java process did not take the creating thread's connection");
    }
    javaProcess->watch();
    theVm = new BridgeVm(std::move(javaProcess), std::move(creatorConnection));
    *vm = theVm->javaVm();
    *env = theVm->creator_->jniEnv();
    return JNI_OK;
}

BridgeVm::BridgeVm(std::unique_ptr<JavaProcess> javaProcess, Connection creatorConnection)
    : javaVm_{&invokeInterface()}, javaProcess_(std::move(javaProcess)) {
    threads_.push_back(
        std::make_unique<BridgeThread>(std::move(creatorConnection), GetCurrentThreadId(), true));
    creator_ = threads_.back().get();
}

BridgeThread* BridgeVm::threadOf(JNIEnv* env) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& thread : threads_) {
        if (thread->jniEnv() == env) return thread.get();
    }
    return nullptr;
}

BridgeThread* BridgeVm::currentThread() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& thread : threads_) {
        if (thread->attached && thread->threadId == GetCurrentThreadId()) return thread.get();
    }
    return nullptr;
}

BridgeThread& BridgeVm::attachCurrentThread(const std::string& name, bool daemon) {
    // The creating thread comes back to its own connection, which Java's main thread still serves.
    if (creator_->threadId == GetCurrentThreadId()) {
        creator_->attached = true;
        return *creator_;
    }
    Connection connection;
    try {
        connection = openThreadConnection(javaProcess_->port(),
                                          daemon ? protocol::helloAttachDaemon : protocol::helloAttach, name);
    } catch (const ConnectionLost&) {
        javaProcess_->awaitUnplannedEnd(daemon ? "AttachCurrentThreadAsDaemon" : "AttachCurrentThread");
    }
    std::lock_guard<std::mutex> lock(mutex_);
    threads_.push_back(std::make_unique<BridgeThread>(std::move(connection), GetCurrentThreadId(), false));
    return *threads_.back();
}

void BridgeVm::detach(BridgeThread& thread) {
    thread.request("DetachCurrentThread", Message(protocol::detach));
    thread.pending = false;
    thread.attached = false;
    if (!thread.creator) thread.connection = Connection();
}

jint BridgeVm::destroy() {
    if (GetCurrentThreadId() != creator_->threadId) {
        testjvm::failLoudly(
            "DestroyJavaVM from another thread than the one that created the VM is not supported");
    }
    // Returns once every other non-daemon thread has ended (detached).
    creator_->request("DestroyJavaVM", Message(protocol::destroy));
    creator_->attached = false;
    destroyed_ = true;
    // The Java side ends its process once it sees the connection close: that end is no System.exit.
    javaProcess_->planEnd();
    creator_->connection.shutdownSending();
    if (!javaProcess_->awaitEnd()) testjvm::failLoudly("DestroyJavaVM: the Java process did not end");
    return JNI_OK;
}

jmethodID BridgeVm::methodId(std::int32_t remoteId, testjvm::MethodDescriptor descriptor) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto& record = methods_[remoteId];
    if (!record) record = std::make_unique<MethodRecord>(MethodRecord{remoteId, std::move(descriptor)});
    return reinterpret_cast<jmethodID>(record.get());
}

const MethodRecord* BridgeVm::method(jmethodID id) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : methods_) {
        if (reinterpret_cast<jmethodID>(entry.second.get()) == id) return entry.second.get();
    }
    return nullptr;
}

}  // namespace javabridge
