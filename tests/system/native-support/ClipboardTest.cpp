// toClipboardMF: the metafiles on the clipboard as another process reads them, and a clipboard held open
// by another process refusing the call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "ProbeProcess.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> items;
    std::istringstream stream(list);
    for (std::string item; std::getline(stream, item, ',');) items.push_back(item);
    return items;
}

class Clipboard : public JvmFixture {
  protected:
    void SetUp() override {
        // Every test starts from a clipboard holding one known text.
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const wchar_t text[] = L"before";
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        ASSERT_NE(memory, nullptr);
        std::memcpy(GlobalLock(memory), text, sizeof text);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
        CloseClipboard();

        NATIVE_GRAPHICS(moveTo)(env(), nullptr, recording_.dc(), 100, 100);
        NATIVE_GRAPHICS(lineTo)(env(), nullptr, recording_.dc(), 2900, 1900);
        NATIVE_GRAPHICS(drawRectangle)(env(), nullptr, recording_.dc(), 200, 1800, 2800, 200);
        emf_ = recording_.finish();
        ASSERT_NE(emf_, nullptr);
    }
    void TearDown() override {
        if (wmf_ != nullptr) DeleteMetaFile(wmf_);
    }

    HMETAFILE convertedWmf() {
        wmf_ = fromJava<HMETAFILE>(NATIVE_GRAPHICS(convertEMF2WMF)(env(), nullptr, asJava(emf_), 0));
        return wmf_;
    }
    jint toClipboard(HENHMETAFILE emf, HMETAFILE wmf, float width, float height) {
        return NATIVE_GRAPHICS(toClipboardMF)(env(), nullptr, asJava(emf), asJava(wmf), width, height);
    }
    // After success the clipboard owns the metafiles given to it.
    void handedToClipboard(HENHMETAFILE emf, HMETAFILE wmf) {
        if (emf != nullptr) recording_.release();
        if (wmf != nullptr) wmf_ = nullptr;
    }
    // What a second process finds on the clipboard.
    std::map<std::string, std::string> readInAnotherProcess() {
        ProbeProcess probe(L"clipboard-report");
        EXPECT_EQ(probe.finish(), 0u) << probe.output();
        return probe.values();
    }

    MetafileRecording recording_{0, 2000, 3000, 0};
    HENHMETAFILE emf_ = nullptr;
    HMETAFILE wmf_ = nullptr;
};

TEST_F(Clipboard, BothFormatsReplaceTheContentWithTheGivenSize) {
    const HMETAFILE wmf = convertedWmf();
    ASSERT_NE(wmf, nullptr);
    ASSERT_EQ(toClipboard(emf_, wmf, -1000.4f, 500.6f), 1);
    handedToClipboard(emf_, wmf);

    auto clipboard = readInAnotherProcess();
    const auto formats = split(clipboard["formats"]);
    ASSERT_GE(formats.size(), 2u) << clipboard["formats"];
    // Placed in this order, the text that was there before gone.
    EXPECT_EQ(formats[0], std::to_string(CF_ENHMETAFILE)) << clipboard["formats"];
    EXPECT_EQ(formats[1], std::to_string(CF_METAFILEPICT)) << clipboard["formats"];
    EXPECT_EQ(std::count(formats.begin(), formats.end(), std::to_string(CF_UNICODETEXT)), 0);
    EXPECT_EQ(clipboard["enhmetafile.frame"], "0,2000,3000,0");
    EXPECT_EQ(clipboard["metafilepict.mm"], std::to_string(MM_ANISOTROPIC));
    EXPECT_EQ(clipboard["metafilepict.xExt"], "1000");
    EXPECT_EQ(clipboard["metafilepict.yExt"], "501");
    EXPECT_GT(std::stoi(clipboard["metafilepict.wmfBytes"]), 0);
}

// The system offers each metafile format in the other one too, listed after the formats placed: the one
// placed comes first, and the other is a rendering of it, not what toClipboardMF was given.
TEST_F(Clipboard, WithoutAWindowsMetafileOnlyTheEnhancedOneIsPlaced) {
    ASSERT_EQ(toClipboard(emf_, nullptr, 1234, 567), 1);
    handedToClipboard(emf_, nullptr);

    auto clipboard = readInAnotherProcess();
    const auto formats = split(clipboard["formats"]);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats[0], std::to_string(CF_ENHMETAFILE)) << clipboard["formats"];
    EXPECT_EQ(clipboard["enhmetafile.frame"], "0,2000,3000,0");
    EXPECT_NE(clipboard["metafilepict.xExt"], "1234") << "a picture descriptor was placed";
    EXPECT_NE(clipboard["metafilepict.yExt"], "567") << "a picture descriptor was placed";
    EXPECT_EQ(std::count(formats.begin(), formats.end(), std::to_string(CF_UNICODETEXT)), 0);
}

TEST_F(Clipboard, WithoutAnEnhancedMetafileOnlyTheWindowsOneIsPlaced) {
    const HMETAFILE wmf = convertedWmf();
    ASSERT_NE(wmf, nullptr);
    ASSERT_EQ(toClipboard(nullptr, wmf, 12.5f, -0.4f), 1);
    handedToClipboard(nullptr, wmf);

    auto clipboard = readInAnotherProcess();
    const auto formats = split(clipboard["formats"]);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats[0], std::to_string(CF_METAFILEPICT)) << clipboard["formats"];
    EXPECT_EQ(clipboard["metafilepict.mm"], std::to_string(MM_ANISOTROPIC));
    EXPECT_EQ(clipboard["metafilepict.xExt"], "13");
    EXPECT_EQ(clipboard["metafilepict.yExt"], "0");
    EXPECT_EQ(std::count(formats.begin(), formats.end(), std::to_string(CF_UNICODETEXT)), 0);
}

TEST_F(Clipboard, AMetafileTheClipboardRefusesIsReportedAndStaysWithTheCaller) {
    // A handle that names no metafile: the clipboard cannot take it, and the caller must keep (delete) it.
    EXPECT_EQ(
        toClipboard(reinterpret_cast<HENHMETAFILE>(static_cast<std::uintptr_t>(0x7ff0)), nullptr, 10, 10), 0);
}

TEST_F(Clipboard, HeldOpenByAnotherProcessItRefusesAndKeepsItsContent) {
    const HMETAFILE wmf = convertedWmf();
    ASSERT_NE(wmf, nullptr);
    const NamedEvent ready(L"clipboard-held"), release(L"clipboard-release");
    ProbeProcess holder(L"hold-clipboard " + ready.name() + L" " + release.name());
    ASSERT_EQ(WaitForSingleObject(ready.get(), 30000), WAIT_OBJECT_0)
        << "the probe did not get the clipboard";

    EXPECT_EQ(toClipboard(emf_, wmf, 100, 100), 0);

    SetEvent(release.get());
    ASSERT_EQ(holder.finish(), 0u) << holder.output();
    auto clipboard = readInAnotherProcess();
    EXPECT_EQ(split(clipboard["formats"]).at(0), std::to_string(CF_UNICODETEXT)) << clipboard["formats"];
    EXPECT_EQ(clipboard.count("enhmetafile.frame"), 0u);
    EXPECT_EQ(clipboard.count("metafilepict.mm"), 0u);
    // Still ours: the metafiles were not given away.
    EXPECT_EQ(GetObjectType(emf_), static_cast<DWORD>(OBJ_ENHMETAFILE));
    EXPECT_GT(GetMetaFileBitsEx(wmf, 0, nullptr), 0u);
}

}  // namespace
}  // namespace pelmora::test
