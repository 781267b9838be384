// The fixture of the renderer's tests: a runtime created as the thumbnail server creates it, and the log
// lines of one request's thread.
#pragma once

#include "JvmTest.h"
#include "RenderCalls.h"

#include <string>
#include <vector>

namespace testjvm_test {

class RendererTest : public JvmTest {
  protected:
    // The options and JNI version the thumbnail server creates its runtime with; the application's jar is on
    // the class path.
    void createAsTheServerDoes();
    // The log from the daemon attach of the thread to its detach; empty when either is missing.
    std::vector<std::string> linesOfThread(const std::string& thread) const;
};

RenderRequest pathRequest(const std::wstring& path);
RenderRequest bytesRequest(std::vector<std::uint8_t> bytes);

}  // namespace testjvm_test
