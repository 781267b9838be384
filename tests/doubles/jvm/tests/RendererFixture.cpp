#include "RendererFixture.h"

#include "JniHelpers.h"

namespace testjvm_test {

void RendererTest::createAsTheServerDoes() {
    ASSERT_EQ(create({applicationClassPathOption(), "-Djava.library.path=" + lowBytes(folder_.path()),
                      "-Djava.awt.headless=true"},
                     JNI_FALSE, JNI_VERSION_1_6),
              JNI_OK);
}

std::vector<std::string> RendererTest::linesOfThread(const std::string& thread) const {
    const std::vector<std::string> lines = logLines();
    const int attach = indexOfLine(lines, "attach thread=" + thread + " daemon=1");
    const int detach = indexOfLine(lines, "detach thread=" + thread);
    if (attach < 0 || detach < attach) return {};
    return std::vector<std::string>(lines.begin() + attach, lines.begin() + detach + 1);
}

RenderRequest pathRequest(const std::wstring& path) {
    RenderRequest request;
    request.path = path;
    return request;
}

RenderRequest bytesRequest(std::vector<std::uint8_t> bytes) {
    RenderRequest request;
    request.bytes = std::move(bytes);
    return request;
}

}  // namespace testjvm_test
