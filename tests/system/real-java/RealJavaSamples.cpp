#include "RealJavaSamples.h"

#include "Utf8Text.h"

#include <algorithm>

namespace pelmora::test {

const std::vector<SampleRecord>& sampleRecords() {
    // As samples/README.md lists them.
    static const std::vector<SampleRecord> samples = {
        {L"Short 9x9 Game.sgf", 9, {4, 4}, {6, 6}, {1, 1}},
        {L"19x19 Position.sgf", 19, {15, 3}, {9, 9}, {9, 3}},
        {L"13x13 Teaching Game.sgf", 13, {9, 3}, {3, 9}, {11, 2}},
    };
    return samples;
}

std::wstring samplePath(const std::wstring& fileName) {
    // The source tree is on the Linux side, which Wine's drive Z: shows whole.
    std::wstring folder = L"Z:" + fromUtf8(PELMORA_SAMPLES_DIR);
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder + L"\\" + fileName;
}

}  // namespace pelmora::test
