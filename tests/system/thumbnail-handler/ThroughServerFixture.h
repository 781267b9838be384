// The registered handler in this process with a real server behind it, started by COM with the test Java
// runtime; between tests no server runs and the runtime's log is empty.
#pragma once

#include "HandlerInstallation.h"
#include "ServerInstallation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pelmora::test {

inline constexpr const char* gameRecord = "(;GM[1]FF[4]SZ[9]PB[Black]PW[White];B[ee];W[cc];B[gc])";

class ThroughServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<ServerInstallation>(L"handler-server");
        ASSERT_EQ(server_->registerServer(), 0u);
        handler_ = std::make_unique<HandlerInstallation>();
        ASSERT_EQ(handler_->registerHandler(), 0u);
    }
    static void TearDownTestSuite() {
        handler_.reset();
        server_.reset();
    }

    void SetUp() override {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        waitForServersToEnd();
        server().clearLog();
        gamePath = server().folder().createFile(L"game one.sgf", gameRecord);
    }
    void TearDown() override {
        CoUninitialize();
        waitForServersToEnd();
    }

    static ServerInstallation& server() { return *server_; }
    static HandlerInstallation& handler() { return *handler_; }

    std::wstring gamePath;

  private:
    static inline std::unique_ptr<ServerInstallation> server_;
    static inline std::unique_ptr<HandlerInstallation> handler_;
};

}  // namespace pelmora::test
