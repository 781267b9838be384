// The server process: it lives while clients hold objects, ends soon after the last one goes, and ends
// with exit code 1 and an event when its JVM cannot be started.
#include "ModulePaths.h"
#include "ProcessList.h"
#include "RegistryFixture.h"
#include "ServerClient.h"
#include "ServerInstallation.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <pelmora/Win32Handles.h>

#include <algorithm>
#include <string>
#include <thread>

namespace pelmora::test {
namespace {

using com::ComPtr;
using com::UniqueBstr;

constexpr DWORD endLimitMs = 15000;

class ServerLifetimeTest : public ::testing::Test {
  protected:
    ServerLifetimeTest() { EXPECT_EQ(installation.registerServer(), 0u); }

    DWORD onlyServerProcess() {
        const auto ids = processIdsNamed(serverExecutable);
        EXPECT_EQ(ids.size(), 1u);
        return ids.empty() ? 0 : ids[0];
    }

    ServerInstallation installation{L"thumbsrv-life"};
    ComApartment apartment;
};

TEST_F(ServerLifetimeTest, TheProcessLivesWhileObjectsDoAndEndsAfterTheLastRelease) {
    installation.setScript(L"render=image:8x8x24");
    ComPtr<IThumbExtractor> first;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", first), S_OK);
    const DWORD server = onlyServerProcess();
    // A second object while the first lives is served by the same process and the same JVM.
    ComPtr<IExtThumbExtractor> second;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ExtThumbExtractor", second), S_OK);
    EXPECT_EQ(processIdsNamed(serverExecutable), std::vector<DWORD>{server});

    first.reset();
    EXPECT_FALSE(waitForProcessExit(server, 2500).ended) << "the server ended while an object lived";
    second.reset();
    const ProcessExit exit = waitForProcessExit(server, endLimitMs);
    ASSERT_TRUE(exit.ended);
    EXPECT_EQ(exit.exitCode, 0u);
    EXPECT_EQ(installation.logLinesStartingWith("create version=").size(), 1u);
}

TEST_F(ServerLifetimeTest, AnActivationAfterTheEndStartsANewProcessWithItsOwnJvm) {
    installation.setScript(L"render=image:8x8x24");
    DWORD firstServer = 0;
    {
        ComPtr<IThumbExtractor> extractor;
        ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);
        firstServer = onlyServerProcess();
    }
    ASSERT_TRUE(waitForProcessExit(firstServer, endLimitMs).ended);
    ComPtr<IThumbExtractor> extractor;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);
    UniqueBstr image;
    ASSERT_EQ(requestPathImage(extractor.get(), L"C:\\again.sgf", 8, 8, image), S_OK);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(8, 8, 24));
    EXPECT_EQ(installation.logLinesStartingWith("create version=").size(), 2u);
}

TEST_F(ServerLifetimeTest, ActivationsRightAfterTheLastReleaseAreServedByTheServerThatStaysWarm) {
    installation.setScript(L"render=image:8x8x24");
    installation.setIdleMs(5000);
    // Each activation follows the previous release at once.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ComPtr<IThumbExtractor> extractor;
        ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);
        UniqueBstr image;
        ASSERT_EQ(requestPathImage(extractor.get(), L"C:\\quick.sgf", 8, 8, image), S_OK);
        EXPECT_TRUE(image);
    }
    EXPECT_EQ(installation.logLinesStartingWith("create version=").size(), 1u);
}

TEST_F(ServerLifetimeTest, TheJvmGetsTheClassPathOfTheListFileTheLibraryPathAndHeadlessMode) {
    installation.folder().createFile(L"Pelmora.cp", "a.jar\r\n\r\nsub\\b.jar\r\n");
    installation.setScript(L"render=null");
    {
        ComPtr<IThumbExtractor> extractor;
        ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);
        UniqueBstr image;
        ASSERT_EQ(requestPathImage(extractor.get(), L"C:\\x.sgf", 8, 8, image), S_OK);
    }
    std::string folder;
    for (wchar_t c : installation.folder().path()) folder += static_cast<char>(c);
    const std::vector<std::string> expected = {
        "option=-Djava.class.path=" + folder + "\\Pelmora.jar;" + folder + "\\lib\\a.jar;" + folder +
            "\\lib\\sub\\b.jar",
        "option=-Djava.library.path=" + folder + "\\jre\\lib",
        "option=-Djava.awt.headless=true",
    };
    EXPECT_EQ(installation.logLinesStartingWith("option="), expected);
    const auto creation = installation.logLinesStartingWith("create version=");
    ASSERT_EQ(creation.size(), 1u);
    EXPECT_NE(creation[0].find("version=0x00010006 ignoreUnrecognized=0 nOptions=3"), std::string::npos)
        << creation[0];
}

TEST_F(ServerLifetimeTest, ARequestThatArrivesWhileTheJvmStartsWaitsForItAndCompletes) {
    const wchar_t* holdName = L"PelmoraTestHoldJvmCreation";
    KernelHandle hold(CreateEventW(nullptr, TRUE, FALSE, holdName));
    ASSERT_TRUE(hold);
    installation.setScript(std::wstring(L"create-wait=") + holdName + L";render=image:24x16x24");
    // Lets the JVM start once the request is known to be waiting for it.
    std::thread releaser([&] {
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (installation.logLinesStartingWith("create waiting").empty() && GetTickCount64() < deadline)
            Sleep(50);
        Sleep(500);
        SetEvent(hold.get());
    });
    ComPtr<IThumbExtractor> extractor;
    const HRESULT created = createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor);
    UniqueBstr image;
    HRESULT called = E_UNEXPECTED;
    if (SUCCEEDED(created)) {
        called = requestPathImage(extractor.get(), L"C:\\early.sgf", 24, 16, image);
    }
    releaser.join();
    ASSERT_EQ(created, S_OK);
    ASSERT_EQ(called, S_OK);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(24, 16, 24));
    // The request reached the renderer only after the JVM had been created.
    const auto lines = installation.log();
    const auto createdAt = std::find(lines.begin(), lines.end(), "create result=0");
    const auto renderedAt = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("render variant=", 0) == 0;
    });
    ASSERT_NE(createdAt, lines.end());
    ASSERT_NE(renderedAt, lines.end());
    EXPECT_LT(createdAt - lines.begin(), renderedAt - lines.begin());
}

// Start-up failures, seen by starting the server the way COM does and reading its exit code and events.
class ServerStartupTest : public ::testing::Test {
  protected:
    ~ServerStartupTest() override { forgetClassObjectsOfEndedServers(); }

    void expectStartupFailure(const ServerInstallation& installation, const std::string& message,
                              const std::string& detail) {
        std::vector<ErrorEvent> events;
        EXPECT_EQ(installation.runServer(L"-Embedding", &events), 1u);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].message, message);
        EXPECT_EQ(events[0].detail, detail);
    }
};

TEST_F(ServerStartupTest, WithoutJavaTheServerEndsWithExitCode1) {
    ServerInstallation installation(L"thumbsrv-nojava", PrivateJava::absent);
    expectStartupFailure(installation, "Java directory not found", "");

    // A client sees its activation or its first call fail.
    ASSERT_EQ(installation.registerServer(), 0u);
    const ClientRun run = installation.runClient(L"path 96 96 C:\\x.sgf");
    EXPECT_EQ(run.output.find("hr=0x00000000"), std::string::npos) << run.output;
}

TEST_F(ServerStartupTest, AJvmLibraryThatDoesNotLoadIsReportedWithTheSystemErrorAndItsPath) {
    ServerInstallation installation(L"thumbsrv-badjvm", PrivateJava::absent);
    const std::wstring library =
        installation.folder().createFile(L"jre\\bin\\server\\jvm.dll", "not a library");
    std::vector<ErrorEvent> events;
    EXPECT_EQ(installation.runServer(L"-Embedding", &events), 1u);
    ASSERT_EQ(events.size(), 1u);
    // The system's error code in lower-case hexadecimal without leading zeros.
    EXPECT_EQ(events[0].message.rfind("Java DLL loading error ", 0), 0u) << events[0].message;
    const std::string code = events[0].message.substr(std::string("Java DLL loading error ").size());
    EXPECT_FALSE(code.empty());
    EXPECT_EQ(code.find_first_not_of("0123456789abcdef"), std::string::npos) << code;
    EXPECT_NE(code[0], '0');
    EXPECT_EQ(events[0].detail, std::string(library.begin(), library.end()));
}

TEST_F(ServerStartupTest, ALibraryWithoutTheCreationFunctionIsNoVm) {
    ServerInstallation installation(L"thumbsrv-novm", PrivateJava::absent);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    copyFile(std::wstring(system) + L"\\version.dll", installation.folder() / L"jre\\bin\\server\\jvm.dll");
    expectStartupFailure(installation, "Java VM not found", "No VM");
}

TEST_F(ServerStartupTest, AJvmThatCannotBeCreatedIsReportedWithTheResultCode) {
    ServerInstallation installation(L"thumbsrv-nocreate");
    installation.setScript(L"create=fail");
    std::vector<ErrorEvent> events;
    EXPECT_EQ(installation.runServer(L"-Embedding", &events), 1u);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message, "Java VM creation failed");
    const auto result = installation.logLinesStartingWith("create result=");
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ("create result=" + events[0].detail, result[0]);
}

TEST_F(ServerStartupTest, AClassPathBeyondItsFixedSizeEndsTheStartInsteadOfBeingCutShort) {
    ServerInstallation installation(L"thumbsrv-longcp");
    std::string list;
    for (int i = 0; i < 200; ++i) list += std::string(100, 'a') + std::to_string(i) + ".jar\r\n";
    installation.folder().createFile(L"Pelmora.cp", list);
    expectStartupFailure(installation, "Java VM creation failed", "class path too long");
    EXPECT_TRUE(installation.logLinesStartingWith("create version=").empty());
}

TEST_F(ServerStartupTest, ARequestThatCannotReachTheRendererReportsTheMissingMethodAndNoImage) {
    const struct {
        const char* name;
        bool withJar;
        const wchar_t* script;
    } cases[] = {{"renderer class not on the class path", false, L"render=image:8x8x24"},
                 {"thread not attached", true, L"attach-daemon=fail;render=image:8x8x24"}};
    for (const auto& scenario : cases) {
        SCOPED_TRACE(scenario.name);
        ServerInstallation installation(L"thumbsrv-norenderer");
        if (!scenario.withJar) DeleteFileW((installation.folder() / L"Pelmora.jar").c_str());
        installation.setScript(scenario.script);
        ASSERT_EQ(installation.registerServer(), 0u);
        const ClientRun run = installation.runClient(L"path 8 8 C:\\x.sgf");
        EXPECT_NE(run.output.find("hr=0x00000000 image=null"), std::string::npos) << run.output;
        ASSERT_EQ(run.events.size(), 2u) << run.output;
        EXPECT_EQ(run.events[0].message, "Failed to find create method");
        EXPECT_EQ(run.events[0].detail, "no methond found");
        EXPECT_EQ(run.events[1].message, "Pelmora Thumbnail Generation failed");
        EXPECT_EQ(run.events[1].detail, "path-based, no image");
        EXPECT_TRUE(installation.logLinesStartingWith("render variant=").empty());
    }
}

TEST_F(ServerStartupTest, WithoutAPrivateRuntimeTheUsersJreKeyComesBeforeTheMachines) {
    ServerInstallation installation(L"thumbsrv-registry", PrivateJava::absent);
    const std::wstring userRuntime = installation.folder() / L"user\\jvm.dll";
    copyFile(binaryFolder() + L"\\testjvm\\jvm.dll", userRuntime);
    RegistryFixture registry;
    registry.own(HKEY_CURRENT_USER, L"Software\\JavaSoft\\JRE");
    registry.own(HKEY_LOCAL_MACHINE, L"Software\\JavaSoft\\JRE");
    registry.setString(HKEY_CURRENT_USER, L"Software\\JavaSoft\\JRE\\11.0.2", L"JavaHome",
                       installation.folder() / L"user");
    registry.setString(HKEY_CURRENT_USER, L"Software\\JavaSoft\\JRE\\11.0.2", L"RuntimeLib", userRuntime);
    registry.setString(HKEY_LOCAL_MACHINE, L"Software\\JavaSoft\\JRE\\17", L"JavaHome", L"C:\\nowhere");
    registry.setString(HKEY_LOCAL_MACHINE, L"Software\\JavaSoft\\JRE\\17", L"RuntimeLib",
                       L"C:\\nowhere\\jvm.dll");
    ASSERT_EQ(installation.registerServer(), 0u);
    installation.setScript(L"render=image:8x8x24");

    const ClientRun run = installation.runClient(L"path 8 8 C:\\x.sgf");
    EXPECT_NE(run.output.find("hr=0x00000000 bytes="), std::string::npos) << run.output;
    const auto module = installation.logLinesStartingWith("module=");
    ASSERT_EQ(module.size(), 1u);
    EXPECT_EQ(module[0], "module=" + std::string(userRuntime.begin(), userRuntime.end()));
    EXPECT_EQ(
        installation.logLinesStartingWith("option=-Djava.library.path=").at(0),
        "option=-Djava.library.path=" + std::string(userRuntime.begin(), userRuntime.end() - 8) + "\\lib");
}

}  // namespace
}  // namespace pelmora::test
