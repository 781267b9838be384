#include "TestPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <stdexcept>

#include <pelmora/Win32Handles.h>

namespace pelmora::test {

namespace {

const wchar_t driverName[] = L"Wine PostScript Driver";

std::wstring driverFolder() {
    wchar_t folder[MAX_PATH]{};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder,
                                    &needed)) {
        throw std::runtime_error("GetPrinterDriverDirectoryW failed");
    }
    return folder;
}

// The printer description Wine's spooler carries as resource "PPDFILE" 1.
std::wstring writeGenericPpd() {
    const std::wstring path = driverFolder() + L"\\generic.ppd";
    const HMODULE spooler = GetModuleHandleW(L"winspool.drv");
    const HRSRC resource = spooler ? FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
    const HGLOBAL loaded = resource ? LoadResource(spooler, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) throw std::runtime_error("winspool.drv has no PPDFILE resource");
    const FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    const DWORD size = SizeofResource(spooler, resource);
    if (!file || !WriteFile(file.get(), bytes, size, &written, nullptr) || written != size) {
        throw std::runtime_error("cannot write generic.ppd");
    }
    return path;
}

void addDriver() {
    std::wstring ppd = writeGenericPpd();
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(driverName);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = ppd.data();
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        throw std::runtime_error("AddPrinterDriverW failed: " + std::to_string(GetLastError()));
    }
}

struct PrinterTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle printer) { ClosePrinter(printer); }
};
using PrinterHandle = UniqueHandle<PrinterTraits>;

void removePrinter(const std::wstring& name) {
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    PrinterHandle printer;
    std::wstring printerName = name;
    if (OpenPrinterW(printerName.data(), printer.receive(), &access)) DeletePrinter(printer.get());
    // The entry would still name the deleted printer.
    WriteProfileStringW(L"windows", L"device", nullptr);
}

}  // namespace

TestPrinter::TestPrinter(const std::wstring& name) : name_(name) {
    addDriver();
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = name_.data();
    printer.pPortName = const_cast<wchar_t*>(L"FILE:");
    printer.pDriverName = const_cast<wchar_t*>(driverName);
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    const PrinterHandle added(AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
    if (!added) throw std::runtime_error("AddPrinterW failed: " + std::to_string(GetLastError()));
    if (!SetDefaultPrinterW(name_.c_str())) {
        const DWORD error = GetLastError();
        removePrinter(name_);
        throw std::runtime_error("SetDefaultPrinterW failed: " + std::to_string(error));
    }
}

TestPrinter::~TestPrinter() {
    removePrinter(name_);
}

std::string defaultPrinterEntry() {
    char entry[256]{};
    GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
    return entry;
}

}  // namespace pelmora::test
