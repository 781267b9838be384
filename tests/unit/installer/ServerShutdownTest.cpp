#include "ServerShutdown.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelmora::setup {
namespace {

// How one running server meets the shutdown.
struct FakeServer {
    bool takesRequest = true;   // has a thread that takes WM_QUIT
    bool endsWhenAsked = true;  // ends within the grace period once asked
    bool canBeKilled = true;
};

class FakeServers : public ServerProcesses {
  public:
    explicit FakeServers(std::vector<FakeServer> servers)
        : waited_(servers.size()), servers_(std::move(servers)) {}

    std::size_t count() const override { return servers_.size(); }
    bool askToEnd(std::size_t process) override {
        asked_.push_back(process);
        return servers_[process].takesRequest;
    }
    bool waitForEnd(std::size_t process, std::chrono::milliseconds) override {
        waited_[process] = true;
        return servers_[process].endsWhenAsked;
    }
    bool endByForce(std::size_t process) override {
        killed_.push_back(process);
        return servers_[process].canBeKilled;
    }

    std::vector<std::size_t> asked_;
    std::vector<std::size_t> killed_;
    std::vector<bool> waited_;

  private:
    std::vector<FakeServer> servers_;
};

struct ShutdownCase {
    const char* name;
    std::vector<FakeServer> servers;
    ShutdownResult expected;
    std::vector<std::size_t> killed;
};

TEST(ServerShutdownTest, AsksEveryServerFirstAndForcesOnlyThoseThatDidNotEnd) {
    const FakeServer polite{};
    const FakeServer deaf{true, false, true};
    const FakeServer withoutQueue{false, false, true};
    const FakeServer unkillable{true, false, false};
    const std::vector<ShutdownCase> cases = {
        {"no server", {}, {0, 0, 0}, {}},
        {"servers that end when asked", {polite, polite}, {2, 0, 0}, {}},
        {"one that ignores the request", {polite, deaf, polite}, {2, 1, 0}, {1}},
        {"one that cannot be asked", {withoutQueue, polite}, {1, 1, 0}, {0}},
        {"one that cannot be ended", {unkillable, deaf}, {0, 1, 1}, {0, 1}},
    };
    for (const ShutdownCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeServers servers(c.servers);
        const ShutdownResult result = endServers(servers, std::chrono::milliseconds(100));
        EXPECT_EQ(result.endedWhenAsked, c.expected.endedWhenAsked);
        EXPECT_EQ(result.endedByForce, c.expected.endedByForce);
        EXPECT_EQ(result.stillRunning, c.expected.stillRunning);
        EXPECT_EQ(servers.killed_, c.killed);
        // Every one is asked before any is waited for or killed: they end side by side.
        EXPECT_EQ(servers.asked_.size(), c.servers.size());
        for (std::size_t i = 0; i < c.servers.size(); ++i) {
            // One that could not be asked is not waited for.
            EXPECT_EQ(servers.waited_[i], c.servers[i].takesRequest) << "server " << i;
        }
    }
}

TEST(ServerShutdownTest, ServerPathOfAFolderWithOrWithoutItsFinalBackslash) {
    EXPECT_EQ(serverPathIn(L"C:\\Program Files\\Pelmora\\"),
              L"C:\\Program Files\\Pelmora\\PelmoraThumbSrv64.exe");
    EXPECT_EQ(serverPathIn(L"C:\\Program Files\\Pelmora"),
              L"C:\\Program Files\\Pelmora\\PelmoraThumbSrv64.exe");
    EXPECT_EQ(serverPathIn(L"D:/Pelmora/"), L"D:/Pelmora/PelmoraThumbSrv64.exe");
}

}  // namespace
}  // namespace pelmora::setup
