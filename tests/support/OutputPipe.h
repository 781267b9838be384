// A pipe a child process writes its standard streams into, read to its end by a thread of this process.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <mutex>
#include <string>
#include <thread>

namespace pelmora::test {

class OutputPipe {
  public:
    // Creates the pipe, only its write end inheritable; throws when it cannot.
    OutputPipe();
    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;
    // Waits for the reader, which ends when every writer has closed its end (a process that ended has).
    ~OutputPipe();

    // The end a child writes into; it stays valid until startReading.
    HANDLE writeEnd() const { return writeEnd_.get(); }
    // Closes this process's write end, so that the text ends with the writers', and starts reading.
    void startReading();
    // Waits until the writers are done.
    void finish();
    // What arrived so far: all of it after finish.
    std::string text() const;

  private:
    KernelHandle readEnd_;
    KernelHandle writeEnd_;
    mutable std::mutex mutex_;
    std::string text_;
    std::thread reader_;
};

}  // namespace pelmora::test
