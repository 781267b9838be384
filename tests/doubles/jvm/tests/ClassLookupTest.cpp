// FindClass and GetStaticMethodID: the main class needs the application's jar on the class path, and
// failures leave the exceptions a JVM raises.
#include "JniHelpers.h"
#include "JvmTest.h"

#include <windows.h>

namespace testjvm_test {
namespace {

// Restores the current directory at the end of the scope.
class ScopedCurrentDirectory {
  public:
    explicit ScopedCurrentDirectory(const std::wstring& folder) {
        wchar_t current[MAX_PATH];
        previous_.assign(current, GetCurrentDirectoryW(MAX_PATH, current));
        SetCurrentDirectoryW(folder.c_str());
    }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;
    ~ScopedCurrentDirectory() { SetCurrentDirectoryW(previous_.c_str()); }

  private:
    std::wstring previous_;
};

using ClassLookupTest = JvmTest;

TEST_F(ClassLookupTest, StringClassIsAlwaysFound) {
    ASSERT_EQ(create({}), JNI_OK);
    EXPECT_NE(env_->FindClass("java/lang/String"), nullptr);
    EXPECT_FALSE(env_->ExceptionCheck());
    EXPECT_EQ(logLines().back(), "findclass name=java/lang/String found=1");
}

TEST_F(ClassLookupTest, MainClassIsFoundThroughTheApplicationJar) {
    const std::string other = lowBytes(folder_.createFile(L"other.jar"));
    ASSERT_EQ(create({"-Djava.class.path=" + other + ";" + lowBytes(folder_.createFile(L"Pelmora.jar"))}),
              JNI_OK);
    EXPECT_NE(env_->FindClass("Pelmora2"), nullptr);
    EXPECT_FALSE(env_->ExceptionCheck());
    EXPECT_EQ(logLines().back(), "findclass name=Pelmora2 found=1");
}

TEST_F(ClassLookupTest, RelativeEntryCountsFromTheCurrentDirectoryAtLookupInAnyLetterCase) {
    ASSERT_EQ(create({"-Djava.class.path=missing.jar;PELMORA.JAR"}), JNI_OK);
    const TempFolder withJar{L"testjvm"};
    withJar.createFile(L"pelmora.jar");
    const TempFolder withFolderOfThatName{L"testjvm"};
    withFolderOfThatName.createFolder(L"Pelmora.jar");
    {
        const ScopedCurrentDirectory inside(withFolderOfThatName.path());
        EXPECT_EQ(env_->FindClass("Pelmora2"), nullptr);
        EXPECT_EQ(describeAndClear(env_), "describe java.lang.NoClassDefFoundError: Pelmora2");
    }
    {
        const ScopedCurrentDirectory inside(withJar.path());
        EXPECT_NE(env_->FindClass("Pelmora2"), nullptr);
        EXPECT_FALSE(env_->ExceptionCheck());
    }
    EXPECT_EQ(
        linesStartingWith(logLines(), "findclass "),
        (std::vector<std::string>{"findclass name=Pelmora2 found=0", "findclass name=Pelmora2 found=1"}));
}

TEST_F(ClassLookupTest, MainClassIsMissingWhenTheJarIsMissingOrNamedOtherwise) {
    const std::wstring otherJar = folder_.createFile(L"Pelmora2.jar");
    ASSERT_EQ(create({"-Djava.class.path=" + lowBytes(folder_.path() + L"\\Pelmora.jar") + ";" +
                      lowBytes(otherJar)}),
              JNI_OK);
    EXPECT_EQ(env_->FindClass("Pelmora2"), nullptr);
    EXPECT_TRUE(env_->ExceptionCheck());
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NoClassDefFoundError: Pelmora2");
    EXPECT_EQ(linesStartingWith(logLines(), "findclass "),
              std::vector<std::string>{"findclass name=Pelmora2 found=0"});
}

TEST_F(ClassLookupTest, MainClassIsMissingWithoutAClassPath) {
    folder_.createFile(L"Pelmora.jar");
    const ScopedCurrentDirectory inside(folder_.path());
    ASSERT_EQ(create({"-Dsomething=Pelmora.jar"}), JNI_OK);
    EXPECT_EQ(env_->FindClass("Pelmora2"), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NoClassDefFoundError: Pelmora2");
}

TEST_F(ClassLookupTest, OtherClassesAreNotFound) {
    ASSERT_EQ(create({applicationClassPathOption()}), JNI_OK);
    EXPECT_EQ(env_->FindClass("java/lang/Object"), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NoClassDefFoundError: java/lang/Object");
}

TEST_F(ClassLookupTest, StaticMethodsNeedTheirExactNameAndDescriptor) {
    jclass mainClass = createWithMainClass();
    ASSERT_NE(mainClass, nullptr);
    EXPECT_NE(env_->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V"), nullptr);
    EXPECT_NE(env_->GetStaticMethodID(mainClass, "commands", "([Ljava/lang/String;)V"), nullptr);

    EXPECT_EQ(env_->GetStaticMethodID(mainClass, "main", "([Ljava/lang/Object;)V"), nullptr);
    EXPECT_TRUE(env_->ExceptionCheck());
    EXPECT_EQ(describeAndClear(env_),
              "describe java.lang.NoSuchMethodError: static LPelmora2;.main([Ljava/lang/Object;)V");

    EXPECT_EQ(env_->GetStaticMethodID(mainClass, "start", "([Ljava/lang/String;)V"), nullptr);
    EXPECT_EQ(describeAndClear(env_),
              "describe java.lang.NoSuchMethodError: static LPelmora2;.start([Ljava/lang/String;)V");
}

}  // namespace
}  // namespace testjvm_test
