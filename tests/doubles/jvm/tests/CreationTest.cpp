// JNI_CreateJavaVM: what it records, which options and versions it accepts, and the scripted outcomes.
#include "JniHelpers.h"
#include "JvmTest.h"
#include "Utf8Text.h"

namespace testjvm_test {
namespace {

using CreationTest = JvmTest;

TEST_F(CreationTest, RecordsVersionAndEveryOptionInOrder) {
    const std::vector<std::string> options = {"-Djava.class.path=a.jar;b.jar", "-Xmx512m", "-Duser=caf\xe9",
                                              "-Dtext=one\r\ntwo", "-verbose:gc"};
    ASSERT_EQ(create(options), JNI_OK);
    EXPECT_EQ(env_->GetVersion(), JNI_VERSION_10);

    const std::vector<std::string> expected = {
        "create version=0x000a0000 ignoreUnrecognized=0 nOptions=5 thread=" + currentThreadText(),
        "option=-Djava.class.path=a.jar;b.jar",
        "option=-Xmx512m",
        u8"option=-Duser=café",  // the 8-bit option text is Latin-1
        "option=-Dtext=one\\r\\ntwo",
        "option=-verbose:gc",
        "module=" + pelmora::test::toUtf8(TestJvmLibrary::path()),
        "create result=0"};
    EXPECT_EQ(logLines(), expected);
}

TEST_F(CreationTest, UnknownOptionFailsCreationAndSetsNothing) {
    vm_ = reinterpret_cast<JavaVM*>(this);
    ASSERT_EQ(create({"-Dfine=1", "--bogus"}), JNI_ERR);
    EXPECT_EQ(vm_, reinterpret_cast<JavaVM*>(this));
    EXPECT_EQ(env_, nullptr);
    EXPECT_EQ(logLines().back(), "create result=-1");
}

TEST_F(CreationTest, IgnoreUnrecognizedSkipsUnknownXOptions) {
    ASSERT_EQ(create({"-XX:+SomethingNew", "_hook", "-Xss2m"}, JNI_TRUE), JNI_OK);
    EXPECT_EQ(logLines().front(),
              "create version=0x000a0000 ignoreUnrecognized=1 nOptions=3 thread=" + currentThreadText());
}

TEST_F(CreationTest, IgnoreUnrecognizedStillRejectsOtherUnknownOptions) {
    EXPECT_EQ(create({"--bogus"}, JNI_TRUE), JNI_ERR);
}

TEST_F(CreationTest, VersionBeforeJni12IsRefused) {
    EXPECT_EQ(create({}, JNI_FALSE, JNI_VERSION_1_1), JNI_EVERSION);
    EXPECT_EQ(logLines().back(), "create result=-3");
}

TEST_F(CreationTest, OnlyOneRuntimePerProcess) {
    ASSERT_EQ(create({}), JNI_OK);
    EXPECT_EQ(create({}), JNI_EEXIST);
    ASSERT_EQ(destroy(), JNI_OK);
    EXPECT_EQ(create({}), JNI_ERR);
}

TEST_F(CreationTest, ScriptedFailureReturnsErrorAndSetsNothing) {
    useScript(L"create=fail");
    ASSERT_EQ(create({"-Dfine=1"}), JNI_ERR);
    EXPECT_EQ(vm_, nullptr);
    EXPECT_EQ(env_, nullptr);
    EXPECT_EQ(logLines().back(), "create result=-1");
}

TEST_F(CreationTest, ScriptedPendingExceptionIsDescribedAndCleared) {
    useScript(L"create=pending");
    ASSERT_EQ(create({}), JNI_OK);
    EXPECT_TRUE(env_->ExceptionCheck());
    EXPECT_NE(env_->ExceptionOccurred(), nullptr);
    // No message, as when the VM wraps a failed static initializer.
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.ExceptionInInitializerError");
    EXPECT_FALSE(env_->ExceptionCheck());
    EXPECT_EQ(env_->ExceptionOccurred(), nullptr);
}

TEST_F(CreationTest, NothingIsRecordedWithoutALogFile) {
    log_.set(std::nullopt);
    ASSERT_EQ(create({"-Dfine=1"}), JNI_OK);
    EXPECT_TRUE(logLines().empty());
}

}  // namespace
}  // namespace testjvm_test
