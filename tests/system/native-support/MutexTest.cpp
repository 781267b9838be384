// createMutex, releaseMutex and closeHandle, with a second process (the probe) opening the same mutex.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "JavaHandles.h"
#include "JvmFixture.h"
#include "ProbeProcess.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

class NamedMutex : public JvmFixture {
  protected:
    jlong createMutex(bool initialOwner) {
        return WINDOWS_UTIL(createMutex)(env(), nullptr,
                                         jvm_.string(std::u16string(name_.begin(), name_.end())),
                                         initialOwner ? JNI_TRUE : JNI_FALSE);
    }
    jint release(jlong mutex) { return WINDOWS_UTIL(releaseMutex)(env(), nullptr, mutex); }
    jint close(jlong mutex) { return WINDOWS_UTIL(closeHandle)(env(), nullptr, mutex); }
    // What the probe finds when it calls createMutex(name, initialOwner) in its own process.
    std::map<std::string, std::string> probe(bool initialOwner) {
        ProbeProcess process(L"mutex " + name_ + (initialOwner ? L" 1" : L" 0"));
        EXPECT_EQ(process.finish(), 0u) << process.output();
        return process.values();
    }

    // Unique to this process and test, so that no run meets a mutex of another.
    const std::wstring name_ = [] {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return L"Pelmora.Test.Instance." + std::to_wstring(GetCurrentProcessId()) + L"." +
               std::wstring(test.begin(), test.end());
    }();
};

TEST_F(NamedMutex, TheFirstOwnerKeepsItUntilItReleasesIt) {
    const jlong mutex = createMutex(true);
    ASSERT_NE(mutex, 0);

    auto whileOwned = probe(true);
    EXPECT_EQ(whileOwned["handle"], "nonzero");
    EXPECT_EQ(whileOwned["wait"], "timeout");
    EXPECT_NE(whileOwned["close"], "0");

    EXPECT_NE(release(mutex), 0);
    auto afterRelease = probe(true);
    EXPECT_EQ(afterRelease["handle"], "nonzero");
    EXPECT_EQ(afterRelease["wait"], "acquired");
    EXPECT_NE(afterRelease["release"], "0");
    EXPECT_NE(afterRelease["close"], "0");

    EXPECT_NE(close(mutex), 0);
}

TEST_F(NamedMutex, CreatedWithoutOwnerItIsFreeForOthers) {
    const jlong mutex = createMutex(false);
    ASSERT_NE(mutex, 0);
    auto other = probe(false);
    EXPECT_EQ(other["handle"], "nonzero");
    EXPECT_EQ(other["wait"], "acquired");
    EXPECT_NE(close(mutex), 0);
}

TEST_F(NamedMutex, ReleaseNeedsOwnershipAndCloseAValidHandle) {
    const jlong mutex = createMutex(false);
    ASSERT_NE(mutex, 0);
    EXPECT_EQ(release(mutex), 0);
    ASSERT_EQ(WaitForSingleObject(fromJava<HANDLE>(mutex), 0), WAIT_OBJECT_0);
    EXPECT_NE(release(mutex), 0);
    EXPECT_NE(close(mutex), 0);
    EXPECT_EQ(close(mutex), 0);
}

TEST_F(NamedMutex, SecondCreationInTheSameProcessOpensTheSameMutex) {
    const jlong first = createMutex(true);
    const jlong second = createMutex(true);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_NE(first, second);
    // One mutex, owned once: a single release frees it for another process.
    EXPECT_NE(release(first), 0);
    EXPECT_EQ(probe(false)["wait"], "acquired");
    EXPECT_NE(close(second), 0);
    EXPECT_NE(close(first), 0);
}

TEST_F(NamedMutex, NoNameGivesNoMutex) {
    EXPECT_EQ(WINDOWS_UTIL(createMutex)(env(), nullptr, nullptr, JNI_TRUE), 0);
}

}  // namespace
}  // namespace pelmora::test
