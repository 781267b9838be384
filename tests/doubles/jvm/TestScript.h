// How a test steers the runtime: directives in PELMORA_TESTJVM_SCRIPT, separated by ';', for example
// "create=pending", "main=wait:quit;commands=throw" or "render=image:200x150x24;render-wait=Hold".
#pragma once

#include <string>

namespace testjvm {

struct TestScript {
    enum class Creation { succeed, fail, pending };
    enum class MainMethod { returnAtOnce, throwException, waitForWord };
    enum class CommandsMethod { returnAtOnce, throwException };

    Creation creation = Creation::succeed;
    // "attach=fail": attaching a thread as a normal thread fails; "attach-daemon=fail": as a daemon.
    bool attachFails = false;
    bool daemonAttachFails = false;
    MainMethod mainMethod = MainMethod::returnAtOnce;
    // For waitForWord: the argument of commands that releases main.
    std::u16string mainWaitWord;
    CommandsMethod commandsMethod = CommandsMethod::returnAtOnce;

    // What the thumbnail renderer's create returns: "render=null" (the default, so that a test always says
    // what it wants), "render=empty" (a byte[] of length 0), "render=image:WxHxB" (the test picture of that
    // size and bit count) or "render=throw".
    enum class Render { returnNull, returnEmpty, returnImage, throwException };
    Render render = Render::returnNull;
    int renderWidth = 0;
    int renderHeight = 0;
    int renderBitCount = 0;
    // "render-wait=NAME": each create waits for the named event before it produces its outcome; empty for
    // no wait.
    std::wstring renderWaitEvent;
    // "create-wait=NAME": JNI_CreateJavaVM waits for the named event before it creates the runtime, so a
    // test can hold a caller in its start-up; empty for no wait.
    std::wstring createWaitEvent;
    // "destroy-wait=NAME": DestroyJavaVM waits for the named event before it destroys the runtime, so a test
    // can act while an application is ending.
    std::wstring destroyWaitEvent;
};

// Reads the directives from the environment; an unknown directive fails loudly.
TestScript readTestScript();

}  // namespace testjvm
