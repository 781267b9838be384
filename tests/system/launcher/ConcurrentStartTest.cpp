// One running instance under real use: simultaneous starts, hand-offs while the JVM is created or the
// application ends, instances that do not answer, and peers that speak the plain protocol.
#include "LauncherFixture.h"
#include "Utf8Text.h"

#include <algorithm>
#include <future>
#include <shellapi.h>
#include <thread>

namespace pelmora::test {
namespace {

using Strings = std::vector<std::wstring>;
const wchar_t windowClass[] = L"Pelmora2LaunchClass";

// The documents of every call of main and commands, in log order.
Strings openedDocuments(const std::vector<JavaCall>& calls) {
    Strings documents;
    for (const auto& call : calls) {
        auto open = std::find(call.arguments.begin(), call.arguments.end(), L"-open");
        auto end = std::find(call.arguments.begin(), call.arguments.end(), L"-endOpen");
        if (open != call.arguments.end() && open < end) documents.insert(documents.end(), open + 1, end);
    }
    return documents;
}

// A window of the hand-off class in this process, as another launcher would hold it: either one that answers
// as the plain protocol does (keeps the text, replies with this process's id) or one whose thread never looks
// at its messages.
class PeerWindow {
  public:
    explicit PeerWindow(bool answers) : answers_(answers), thread_([this] { run(); }) {
        ready_.get_future().wait();
    }
    ~PeerWindow() {
        SetEvent(release_.get());
        if (answers_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    Strings received() const { return received_; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<PeerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_SETTEXT && self != nullptr) {
            self->received_.push_back(reinterpret_cast<const wchar_t*>(lParam));
            return static_cast<LRESULT>(GetCurrentProcessId());
        }
        if (message == WM_CLOSE) PostQuitMessage(0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void run() {
        WNDCLASSW description = {};
        description.lpfnWndProc = procedure;
        description.lpszClassName = windowClass;
        RegisterClassW(&description);
        window_ =
            CreateWindowExW(0, windowClass, L"DDEWindow", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ready_.set_value();
        if (answers_) {
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        } else {
            WaitForSingleObject(release_.get(), INFINITE);
        }
        DestroyWindow(window_);
        UnregisterClassW(windowClass, nullptr);
    }

    bool answers_;
    HWND window_ = nullptr;
    Strings received_;
    KernelHandle release_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::promise<void> ready_;
    std::thread thread_;
};

class LauncherConcurrency : public LauncherFixture {
  protected:
    void SetUp() override {
        installLauncher();
        installPrivateRuntime();
    }
    // A named event, unique to this test process, that the test sets to let the test runtime go on.
    static std::wstring gateName(const std::wstring& name) {
        return name + std::to_wstring(GetCurrentProcessId());
    }
    static KernelHandle gate(const std::wstring& name) {
        return KernelHandle(CreateEventW(nullptr, TRUE, FALSE, gateName(name).c_str()));
    }
    void quitRunningInstance(ChildProcess& instance) {
        auto command = launch(L"-command quit");
        EXPECT_EQ(exitCodeOf(command), 1u);
        EXPECT_EQ(exitCodeOf(instance), 0u);
    }
};

TEST_F(LauncherConcurrency, TwentySimultaneousStartsMakeOneInstanceThatGetsEveryDocumentOnce) {
    const std::size_t starts = 20;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        DeleteFileW(logPath.c_str());
        std::vector<std::future<ChildProcess>> starting;
        for (std::size_t i = 0; i < starts; ++i) {
            starting.push_back(std::async(std::launch::async, [this, i] {
                return launch(L"doc" + std::to_wstring(i) + L".sgf", L"main=wait:quit");
            }));
        }
        std::vector<ChildProcess> launchers;
        for (auto& start : starting) launchers.push_back(start.get());
        // Every start but the running instance hands over and ends with 0.
        const auto running = [&] {
            return std::count_if(launchers.begin(), launchers.end(), [](auto& l) { return l.running(); });
        };
        for (int i = 0; i < 600 && running() > 1; ++i) Sleep(100);
        ASSERT_EQ(running(), 1) << "running instances";
        for (auto& launcher : launchers) {
            if (!launcher.running()) {
                EXPECT_EQ(launcher.waitForExit(0), std::optional<DWORD>(0));
            }
        }
        quitRunningInstance(
            *std::find_if(launchers.begin(), launchers.end(), [](auto& l) { return l.running(); }));
        EXPECT_EQ(creationCount(), 1u);
        Strings documents = openedDocuments(callsOf(L"main"));
        const Strings handed = openedDocuments(callsOf(L"commands"));
        documents.insert(documents.end(), handed.begin(), handed.end());
        std::sort(documents.begin(), documents.end());
        Strings expected;
        for (std::size_t i = 0; i < starts; ++i) expected.push_back(L"doc" + std::to_wstring(i) + L".sgf");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(documents, expected);
    }
}

TEST_F(LauncherConcurrency, AHandOffDuringJvmCreationIsAnsweredAtOnceAndReachesJavaAfterMain) {
    const KernelHandle creation = gate(L"pelmora-creation-");
    auto first = launch(L"first.sgf", L"create-wait=" + gateName(L"pelmora-creation-") + L";main=wait:quit");
    waitForCommandWindow();
    auto second = launch(L"early.sgf");
    EXPECT_EQ(exitCodeOf(second), 0u);
    // The window thread never waits for Java: other programs' broadcasts go through meanwhile.
    auto broadcast = std::async(std::launch::async, [] {
        return SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    });
    EXPECT_EQ(broadcast.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(callsOf(L"commands").empty());
    SetEvent(creation.get());
    quitRunningInstance(first);
    const auto lines = log();
    const auto position = [&](const std::wstring& prefix) {
        return std::find_if(lines.begin(), lines.end(),
                            [&](const std::wstring& line) { return line.rfind(prefix, 0) == 0; });
    };
    EXPECT_LT(position(L"call method=main "), position(L"call method=commands "));
    EXPECT_EQ(openedDocuments(callsOf(L"commands")), Strings{L"early.sgf"});
}

TEST_F(LauncherConcurrency, StartsWaitingOnAFailingCreationDoNotStartJvmsOfTheirOwn) {
    const KernelHandle creation = gate(L"pelmora-failing-");
    auto first = launch(L"first.sgf", L"create-wait=" + gateName(L"pelmora-failing-") + L";create=fail");
    waitForCommandWindow();
    std::vector<ChildProcess> waiting;
    for (int i = 0; i < 3; ++i) waiting.push_back(launch(L"waiting" + std::to_wstring(i) + L".sgf"));
    for (auto& start : waiting) EXPECT_EQ(exitCodeOf(start), 0u);
    SetEvent(creation.get());
    EXPECT_EQ(fatalErrorOf(first), L"Error in Pelmora launcher. Cannot create Java VM.");
    EXPECT_EQ(creationCount(), 1u);
    EXPECT_TRUE(callsOf(L"commands").empty());
}

TEST_F(LauncherConcurrency, AStartAfterMainReturnedBecomesANewInstance) {
    const KernelHandle destruction = gate(L"pelmora-destroy-");
    auto first = launch(L"first.sgf", L"main=wait:quit;destroy-wait=" + gateName(L"pelmora-destroy-"));
    waitForCommandWindow();
    auto quit = launch(L"-command quit");
    EXPECT_EQ(exitCodeOf(quit), 1u);
    // The first instance now waits in DestroyJavaVM, its window already gone.
    for (int i = 0; i < 100 && FindWindowW(windowClass, nullptr) != nullptr; ++i) Sleep(100);
    auto later = launch(L"later.sgf", L"main=return");
    EXPECT_EQ(exitCodeOf(later), 0u);
    SetEvent(destruction.get());
    EXPECT_EQ(exitCodeOf(first), 0u);
    EXPECT_EQ(openedDocuments(callsOf(L"main")), (Strings{L"first.sgf", L"later.sgf"}));
    EXPECT_EQ(creationCount(), 2u);
}

TEST_F(LauncherConcurrency, AnInstanceThatDoesNotAnswerEndsTheStartWithAMessage) {
    PeerWindow silent(false);
    auto start = launch(L"x.sgf");
    const std::wstring text = fatalErrorOf(start);
    EXPECT_EQ(text.rfind(L"Error in Pelmora launcher. The running instance of Pelmora (process " +
                             std::to_wstring(GetCurrentProcessId()) + L") does not answer",
                         0),
              0u)
        << toUtf8(text);
    EXPECT_EQ(creationCount(), 0u);
}

TEST_F(LauncherConcurrency, PlainProtocolPeersHandOverBothWays) {
    {
        // A start hands over to a window that answers as the plain protocol does.
        PeerWindow peer(true);
        auto start = launch(L"peer.sgf");
        EXPECT_EQ(exitCodeOf(start), 0u);
        const Strings received = peer.received();
        ASSERT_EQ(received.size(), 1u);
        int count = 0;
        LPWSTR* tokens = CommandLineToArgvW(received[0].c_str(), &count);
        ASSERT_NE(tokens, nullptr);
        EXPECT_EQ(Strings(tokens, tokens + count),
                  (Strings{L"-workdir", startFolder, L"-open", L"peer.sgf", L"-endOpen"}));
        LocalFree(tokens);
    }
    // A plain sender (FindWindowW and SendMessageW, nothing else) reaches a running instance.
    auto instance = launch(L"first.sgf", L"main=wait:quit");
    waitForCommandWindow();
    const HWND window = FindWindowW(windowClass, nullptr);
    const LRESULT reply = SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\"plain.sgf\" "));
    EXPECT_EQ(static_cast<DWORD>(reply), instance.id());
    quitRunningInstance(instance);
    const auto commands = callsOf(L"commands");
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front().arguments, Strings{L"plain.sgf"});
}

}  // namespace
}  // namespace pelmora::test
