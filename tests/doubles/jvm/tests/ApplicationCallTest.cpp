// Calls of the application's main and commands, from the creating thread and from attached threads, with
// the scripted behaviours, and DestroyJavaVM waiting for the other threads.
#include "JniHelpers.h"
#include "JvmTest.h"

#include <pelmora/Win32Handles.h>

#include <chrono>
#include <thread>

namespace testjvm_test {
namespace {

using ApplicationCallTest = JvmTest;

// A manual-reset event, for handing control between test threads.
class Signal {
  public:
    void raise() { SetEvent(event_.get()); }
    bool wait(DWORD timeoutMs = 30000) {
        return WaitForSingleObject(event_.get(), timeoutMs) == WAIT_OBJECT_0;
    }

  private:
    pelmora::KernelHandle event_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST_F(ApplicationCallTest, MainReceivesItsArgumentsAndTheLogShowsThem) {
    ASSERT_NE(createWithMainClass(), nullptr);
    const std::vector<std::wstring> arguments = {L"game.sgf", L"", L"café", L"\U0001D11E clef",
                                                 L"two\r\nlines"};
    ASSERT_TRUE(callStringArrayMethod(env_, "Pelmora2", "main", arguments));

    const std::vector<std::string> lines = logLines();
    const int call = indexOfLine(lines, "call method=main thread=" + currentThreadText() + " count=5");
    ASSERT_GE(call, 0);
    const std::vector<std::string> recorded(lines.begin() + call + 1, lines.end());
    const std::vector<std::string> expected = {
        "arg=game.sgf",      "arg=", u8"arg=café", u8"arg=\U0001D11E clef", "arg=two\\r\\nlines",
        "return method=main"};
    EXPECT_EQ(recorded, expected);
}

TEST_F(ApplicationCallTest, ThrowingMainLeavesItsExceptionPending) {
    useScript(L"main=throw");
    ASSERT_NE(createWithMainClass(), nullptr);
    EXPECT_FALSE(callStringArrayMethod(env_, "Pelmora2", "main", {L"x"}));
    EXPECT_EQ(logLines().back(), "throw method=main");
    EXPECT_NE(env_->ExceptionOccurred(), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.IllegalStateException: main failed");
    EXPECT_FALSE(env_->ExceptionCheck());
}

TEST_F(ApplicationCallTest, CommandsOnAnAttachedThread) {
    useScript(L"commands=throw");
    ASSERT_NE(createWithMainClass(), nullptr);
    // The creating thread is attached already: it keeps its env.
    JNIEnv* again = nullptr;
    ASSERT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&again), nullptr), JNI_OK);
    EXPECT_EQ(again, env_);

    std::string worker;
    std::string describedThere;
    std::thread([&] {
        worker = currentThreadText();
        JNIEnv* env = nullptr;
        ASSERT_EQ(vm_->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_10), JNI_EDETACHED);
        ASSERT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr), JNI_OK);
        EXPECT_NE(env, env_);
        JNIEnv* found = nullptr;
        EXPECT_EQ(vm_->GetEnv(reinterpret_cast<void**>(&found), JNI_VERSION_10), JNI_OK);
        EXPECT_EQ(found, env);
        EXPECT_FALSE(callStringArrayMethod(env, "Pelmora2", "commands", {L"open", L"file.sgf"}));
        describedThere = describeAndClear(env);
        EXPECT_EQ(vm_->DetachCurrentThread(), JNI_OK);
        EXPECT_EQ(vm_->GetEnv(reinterpret_cast<void**>(&found), JNI_VERSION_10), JNI_EDETACHED);
    }).join();

    EXPECT_EQ(describedThere, "describe java.lang.IllegalStateException: commands failed");
    const std::vector<std::string> lines = logLines();
    const int attach = indexOfLine(lines, "attach thread=" + worker + " daemon=0");
    ASSERT_GE(attach, 0);
    const std::vector<std::string> expected = {"attach thread=" + worker + " daemon=0",
                                               "findclass name=Pelmora2 found=1",
                                               "findclass name=java/lang/String found=1",
                                               "call method=commands thread=" + worker + " count=2",
                                               "arg=open",
                                               "arg=file.sgf",
                                               "throw method=commands",
                                               "describe java.lang.IllegalStateException: commands failed",
                                               "detach thread=" + worker};
    EXPECT_EQ(std::vector<std::string>(lines.begin() + attach, lines.end()), expected);
}

TEST_F(ApplicationCallTest, WaitingMainReturnsOnceCommandsDeliversTheWord) {
    useScript(L"main=wait:quit");
    ASSERT_NE(createWithMainClass(), nullptr);
    std::thread sender([&] {
        JNIEnv* env = nullptr;
        ASSERT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr), JNI_OK);
        EXPECT_TRUE(callStringArrayMethod(env, "Pelmora2", "commands", {L"open", L"quiet"}));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(callStringArrayMethod(env, "Pelmora2", "commands", {L"quit"}));
        vm_->DetachCurrentThread();
    });
    EXPECT_TRUE(callStringArrayMethod(env_, "Pelmora2", "main", {}));
    sender.join();

    const std::vector<std::string> lines = logLines();
    const int delivered = indexOfLine(lines, "arg=quit");
    const int returned = indexOfLine(lines, "return method=main");
    ASSERT_GE(delivered, 0);
    EXPECT_GT(returned, delivered);
    EXPECT_LT(indexOfLine(lines, "call method=main thread=" + currentThreadText() + " count=0"), returned);
}

TEST_F(ApplicationCallTest, ScriptedAttachFailureHitsOnlyNonDaemonAttach) {
    useScript(L"attach=fail");
    ASSERT_EQ(create({}), JNI_OK);
    JNIEnv* env = nullptr;
    EXPECT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr), JNI_ERR);
    std::thread([&] {
        JNIEnv* daemonEnv = nullptr;
        EXPECT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&daemonEnv), nullptr), JNI_ERR);
        EXPECT_EQ(vm_->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&daemonEnv), nullptr), JNI_OK);
        EXPECT_EQ(vm_->DetachCurrentThread(), JNI_OK);
    }).join();
    EXPECT_EQ(linesStartingWith(logLines(), "attach ").size(), 1u);
}

TEST_F(ApplicationCallTest, ScriptedDaemonAttachFailureHitsOnlyDaemonAttach) {
    useScript(L"attach-daemon=fail");
    ASSERT_EQ(create({}), JNI_OK);
    std::thread([&] {
        JNIEnv* env = nullptr;
        EXPECT_EQ(vm_->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), nullptr), JNI_ERR);
        EXPECT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr), JNI_OK);
        EXPECT_EQ(vm_->DetachCurrentThread(), JNI_OK);
    }).join();
}

TEST_F(ApplicationCallTest, DestroyWaitsForNonDaemonThreadsOnly) {
    ASSERT_EQ(create({}), JNI_OK);
    // The creating thread may detach before it destroys the runtime, as the launcher does.
    ASSERT_EQ(vm_->DetachCurrentThread(), JNI_OK);
    Signal attached;
    Signal daemonAttached;
    Signal destroyed;
    std::string worker;
    std::thread daemon([&] {
        JNIEnv* env = nullptr;
        ASSERT_EQ(vm_->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), nullptr), JNI_OK);
        daemonAttached.raise();
        // Stays attached until the runtime is gone.
        destroyed.wait();
    });
    std::thread nonDaemon([&] {
        worker = currentThreadText();
        JNIEnv* env = nullptr;
        ASSERT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr), JNI_OK);
        attached.raise();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        vm_->DetachCurrentThread();
    });
    ASSERT_TRUE(attached.wait());
    ASSERT_TRUE(daemonAttached.wait());
    EXPECT_EQ(destroy(), JNI_OK);
    destroyed.raise();
    nonDaemon.join();
    daemon.join();

    const std::vector<std::string> lines = logLines();
    const int detach = indexOfLine(lines, "detach thread=" + worker);
    const int destroyLine = indexOfLine(lines, "destroy thread=" + currentThreadText());
    ASSERT_GE(detach, 0);
    EXPECT_GT(destroyLine, detach);
    EXPECT_EQ(destroyLine, static_cast<int>(lines.size()) - 1);
}

}  // namespace
}  // namespace testjvm_test
