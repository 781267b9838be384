#include "OutputPipe.h"

#include <stdexcept>

namespace pelmora::test {

OutputPipe::OutputPipe() {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!CreatePipe(readEnd_.receive(), writeEnd_.receive(), &inheritable, 0)) {
        throw std::runtime_error("CreatePipe failed: " + std::to_string(GetLastError()));
    }
    SetHandleInformation(readEnd_.get(), HANDLE_FLAG_INHERIT, 0);
}

OutputPipe::~OutputPipe() {
    writeEnd_.reset();
    finish();
}

void OutputPipe::startReading() {
    writeEnd_.reset();
    reader_ = std::thread([this] {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd_.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
            const std::lock_guard<std::mutex> lock(mutex_);
            text_.append(buffer, read);
        }
    });
}

void OutputPipe::finish() {
    if (reader_.joinable()) reader_.join();
}

std::string OutputPipe::text() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

}  // namespace pelmora::test
