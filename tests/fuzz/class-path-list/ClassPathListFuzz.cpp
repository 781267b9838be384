// The class path list file ("Pelmora.cp"), any bytes: the reader its two users share, the launcher's class
// path built from it, and the thumbnail server's JVM options. The entries are the file's bytes without its
// line feeds and the carriage returns right before them, cut at the line feeds, none of them empty; both
// class paths hold every entry in order; the server refuses a class path only when it is too long for its
// buffer. Lines of a megabyte are checked once at the start: as seeds they would slow every run down to a
// crawl.
#include "FuzzInput.h"
#include "JvmOptions.h"
#include "Properties.h"

#include <pelmora/ClassPathList.h>

#include <string>
#include <string_view>

namespace {

using pelmora::fuzz::check;

// The file's bytes without the line ends a text-mode read removes.
std::string withoutLineEnds(std::string_view bytes) {
    std::string kept;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool lineFeed = bytes[i] == '\n';
        const bool beforeLineFeed = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (!lineFeed && !beforeLineFeed) kept.push_back(bytes[i]);
    }
    return kept;
}

void checkEntries(std::string_view bytes, const std::vector<std::string>& entries) {
    std::string joined;
    for (const std::string& entry : entries) {
        check(!entry.empty(), "no entry is empty");
        check(entry.find('\n') == std::string::npos, "no entry holds a line feed");
        joined += entry;
    }
    check(joined == withoutLineEnds(bytes), "the entries are the bytes without their line ends");
    std::size_t lineFeeds = 0;
    for (const char c : bytes) lineFeeds += c == '\n';
    check(entries.size() <= lineFeeds + 1, "at most one entry per line");
}

void checkLauncherClassPath(const std::vector<std::string>& entries) {
    pelmora::Properties settings;
    settings.addJar(L".\\", L"Pelmora.jar");
    std::wstring expected = L".\\Pelmora.jar;";
    for (const std::string& entry : entries) {
        const std::wstring wide = pelmora::widenEachByte(entry);
        check(wide.size() == entry.size(), "one code unit per byte");
        for (std::size_t i = 0; i < wide.size(); ++i) {
            check(wide[i] == static_cast<unsigned char>(entry[i]), "each unit has its byte's value");
        }
        settings.addJar(L"lib\\", wide);
        expected += L"lib\\" + wide + L";";
    }
    check(settings.jarsInClasspath() == expected, "the launcher's class path holds every entry in order");
}

void checkServerOptions(const std::string& bytes, const std::vector<std::string>& entries) {
    const std::string folder = "D:\\App\\";
    // The first entry stands in for a Java home too: the server's other text of outside length.
    const std::string javaHome = entries.empty() ? std::string("C:\\Java") : entries.front();
    const pelmora::thumbsrv::JvmOptions options =
        pelmora::thumbsrv::buildJvmOptions(folder, javaHome, &bytes);
    std::string classPath = "-Djava.class.path=" + folder + "Pelmora.jar";
    for (const std::string& entry : entries) classPath += ";" + folder + "lib\\" + entry;
    const bool fits = classPath.size() < pelmora::thumbsrv::classPathOptionCapacity &&
                      javaHome.size() < pelmora::thumbsrv::narrowJavaHomeCapacity;
    check(options.ok() == fits, "refused exactly when the class path or the home does not fit");
    if (!options.ok()) {
        check(options.options.empty(), "a refusal carries no options");
        return;
    }
    check(options.options.size() == 3 && options.options[0] == classPath, "the server's class path");
    check(options.options[1] == "-Djava.library.path=" + javaHome + "\\lib", "the library path");
}

void checkList(const std::string& bytes) {
    const std::vector<std::string> entries = pelmora::readClassPathList(bytes);
    checkEntries(bytes, entries);
    checkLauncherClassPath(entries);
    checkServerOptions(bytes, entries);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string megabyte(1 << 20, 'j');
    for (const char* end : {"", "\n", "\r", "\r\n", "\r\nlast.jar", "\n\r\r"}) checkList(megabyte + end);
    std::string binary(1 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 251);
    checkList(binary);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkList(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
