// A PostScript printer of Wine's own driver, printing to "FILE:", installed as the default printer for the
// length of a scope and removed again, so that other tests of the prefix see no printer.
#pragma once

#include <string>

namespace pelmora::test {

class TestPrinter {
  public:
    // Throws when the printer cannot be installed.
    explicit TestPrinter(const std::wstring& name);
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;
    ~TestPrinter();

  private:
    std::wstring name_;
};

// The profile's "device" entry, which names the default printer.
std::string defaultPrinterEntry();

}  // namespace pelmora::test
