// Owns the JVM of the launcher: loads the chosen jvm.dll, creates the JVM in this process, calls the
// application's static main and, from the command window's thread, its static commands.
#pragma once

#include <jni.h>
#include <pelmora/JavaVmCreation.h>
#include <pelmora/Win32Handles.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class Properties;

class JVMLauncher {
  public:
    explicit JVMLauncher(Properties* properties) : properties_(properties) {}
    JVMLauncher(const JVMLauncher&) = delete;
    JVMLauncher& operator=(const JVMLauncher&) = delete;

    void startJvm();
    // Returns when the application's main returns. mainCalled runs on this thread just before the call of
    // main itself, once the class, the method and the arguments are ready.
    void callMain(const std::function<void()>& mainCalled = {});
    // Attaches the calling thread, calls commands with the arguments (empty ones included) and detaches.
    void sendCommands(const std::vector<std::wstring>& arguments);
    void destroyJvm();

  private:
    void buildInitArgs();
    void loadJvmLibrary(const std::wstring& jvmPath);
    void callStaticArrayMethod(JNIEnv* env, const char* name, const std::vector<std::wstring>& arguments,
                               const std::function<void()>& beforeCall = {});
    JNIEnv* attachCurrentThread();
    void writeDiagnostics() const;

    Properties* properties_;
    JavaVM* vm_ = nullptr;
    LibraryModule jvmModule_;
    // The options handed to the JVM stay allocated until the launcher ends.
    std::unique_ptr<JavaVmInitArguments> initArgs_;
};

// The 8-bit form the JVM is given: the low byte of every UTF-16 code unit.
std::string lowBytesOf(const std::wstring& text);

}  // namespace pelmora
