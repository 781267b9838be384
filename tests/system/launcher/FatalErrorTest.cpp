// Every error the user can meet ends the launcher with a message box and exit code 1.
#include "LauncherFixture.h"

namespace pelmora::test {
namespace {

class LauncherFatalError : public LauncherFixture {};

TEST_F(LauncherFatalError, NoUsableJvm) {
    installLauncher();
    registerRuntime(L"JRE", L"1.8.0_301", L"jre", {L"client"});
    auto launcher = launch(L"a.sgf");
    EXPECT_EQ(fatalErrorOf(launcher), L"Error in Pelmora launcher. No usable JVM found.");
}

TEST_F(LauncherFatalError, PrivateRuntimeWithoutJvmDll) {
    installLauncher();
    createFolders(appFolder + L"\\jre\\bin");
    registerRuntime(L"JRE", L"17", L"jre", {L"client"});
    auto launcher = launch(L"");
    EXPECT_EQ(fatalErrorOf(launcher), L"Error in Pelmora launcher. A JVM not be found for Java home: .\\jre");
}

TEST_F(LauncherFatalError, JvmLibraryThatDoesNotLoad) {
    installLauncher();
    writeFile(appFolder + L"\\jre\\bin\\client\\jvm.dll", "not a library");
    auto launcher = launch(L"");
    // The failed call and its error code follow on a line of their own (193: not a valid Win32 application).
    EXPECT_EQ(fatalErrorOf(launcher),
              L"Error in Pelmora launcher. Cannot load Java VM library: " + appFolder +
                  L"\\jre\\bin\\client\\jvm.dll\nLoadLibraryW failed with error 193.");
}

TEST_F(LauncherFatalError, JvmCreationFails) {
    installLauncher();
    installPrivateRuntime();
    auto failing = launch(L"", L"create=fail");
    EXPECT_EQ(fatalErrorOf(failing), L"Error in Pelmora launcher. Cannot create Java VM.");
    auto pending = launch(L"", L"create=pending");
    EXPECT_EQ(fatalErrorOf(pending), L"Error in Pelmora launcher. Error when creating Java VM.");
}

TEST_F(LauncherFatalError, MainClassNotOnTheClassPath) {
    installLauncher();
    installPrivateRuntime();
    DeleteFileW((appFolder + L"\\Pelmora.jar").c_str());
    auto launcher = launch(L"");
    EXPECT_EQ(fatalErrorOf(launcher),
              L"Error in Pelmora launcher. Error while attempting to find Java class Pelmora2");
    EXPECT_TRUE(logHas(L"describe java.lang.NoClassDefFoundError"));
}

TEST_F(LauncherFatalError, AttachingFails) {
    installLauncher();
    installPrivateRuntime();
    auto launcher = launch(L"", L"attach=fail");
    EXPECT_EQ(fatalErrorOf(launcher), L"Error in Pelmora launcher. Failed to attach to JVM.");
}

TEST_F(LauncherFatalError, ExceptionInMain) {
    installLauncher();
    installPrivateRuntime();
    auto launcher = launch(L"", L"main=throw");
    EXPECT_EQ(fatalErrorOf(launcher), L"Error in Pelmora launcher. Error calling main method.");
    EXPECT_TRUE(logHas(L"describe java.lang.IllegalStateException: main failed"));
}

TEST_F(LauncherFatalError, ExceptionInCommandsEndsTheRunningInstance) {
    installLauncher();
    installPrivateRuntime();
    auto first = launch(L"", L"main=wait:never;commands=throw");
    waitForCommandWindow();
    // The sender is answered at once; the running instance meets the failure on its delivery thread.
    auto second = launch(L"x.sgf", L"create=fail");
    EXPECT_EQ(exitCodeOf(second), 0u);
    EXPECT_EQ(fatalErrorOf(first), L"Error in Pelmora launcher. Error calling main method.");
    EXPECT_TRUE(logHas(L"describe java.lang.IllegalStateException: commands failed"));
}

}  // namespace
}  // namespace pelmora::test
