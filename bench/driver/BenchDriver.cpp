// Measures taken inside one process, subject and floor in interleaved rounds; prints one line per round:
// "<measure> subject_ms=<ms> floor_ms=<ms>".
//   bench-driver bitmap <rounds>   createThumbnailBitmap against one raw StretchDIBits of the same picture,
//                                  256x256x24 and 1024x1024x32, each round 200 pictures
//   bench-driver jni <rounds>      the support library's NativeGraphics.moveTo against MoveToEx itself,
//                                  each round 100,000 calls
#include "TestPicture.h"
#include "ThumbnailBitmap.h"

#include <pelmora/ProcAddress.h>

#include <jni.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using MoveTo = jint(JNICALL*)(JNIEnv*, jclass, jlong, jfloat, jfloat);

double millisecondsSince(Clock::time_point started) {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

template <class Work>
double timed(Work work) {
    const auto started = Clock::now();
    work();
    return millisecondsSince(started);
}

// Each picture in a BSTR of its own, made before the clock starts: the handler receives it so.
std::vector<pelmora::com::UniqueBstr> pictures(int side, int bits, int count) {
    const auto bytes = pelmora::test::testPictureBuffer(side, side, bits);
    std::vector<pelmora::com::UniqueBstr> made;
    for (int i = 0; i < count; ++i) {
        made.emplace_back(SysAllocStringByteLen(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<UINT>(bytes.size())));
    }
    return made;
}

void bitmapRound(int side, int bits) {
    const int count = 200;
    auto subject = pictures(side, bits, count);
    const double subjectMs = timed([&] {
        for (auto& picture : subject) {
            HBITMAP bitmap = nullptr;
            pelmora::thumb::createThumbnailBitmap(std::move(picture), &bitmap, side, side);
            DeleteObject(bitmap);
        }
    });
    const auto bytes = pelmora::test::testPictureBuffer(side, side, bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(side, side, 1, 32, nullptr);
    HGDIOBJ previous = SelectObject(dc, target);
    const double floorMs = timed([&] {
        for (int i = 0; i < count; ++i) {
            StretchDIBits(dc, 0, 0, side, side, 0, 0, side, side, bytes.data() + 40,
                          reinterpret_cast<const BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS, SRCCOPY);
        }
    });
    SelectObject(dc, previous);
    DeleteObject(target);
    DeleteDC(dc);
    std::printf("bitmap-%dx%dx%d subject_ms=%.3f floor_ms=%.3f\n", side, side, bits, subjectMs / count,
                floorMs / count);
}

int jniRounds(int rounds) {
    HMODULE library = LoadLibraryW(L"PelmoraWin64.dll");
    auto moveTo = pelmora::procAddress<MoveTo>(library, "Java_pelmora_platf_windows_NativeGraphics_moveTo");
    if (!moveTo) return 1;
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const int calls = 100000;
    for (int round = 0; round < rounds; ++round) {
        const double subjectMs = timed([&] {
            for (int i = 0; i < calls; ++i) moveTo(nullptr, nullptr, reinterpret_cast<jlong>(dc), 1.5f, 2.5f);
        });
        const double floorMs = timed([&] {
            for (int i = 0; i < calls; ++i) MoveToEx(dc, 2, 3, nullptr);
        });
        std::printf("jni-moveTo subject_ms=%.6f floor_ms=%.6f\n", subjectMs / calls, floorMs / calls);
    }
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const std::wstring mode = argv[1];
    const int rounds = _wtoi(argv[2]);
    if (mode == L"jni") return jniRounds(rounds);
    if (mode != L"bitmap") return 2;
    for (int round = 0; round < rounds; ++round) {
        bitmapRound(256, 24);
        bitmapRound(1024, 32);
    }
    return 0;
}
