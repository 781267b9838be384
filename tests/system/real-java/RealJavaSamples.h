// The project's sample game records and what their final positions hold, for checks against real Java.
#pragma once

#include <string>
#include <vector>

namespace pelmora::test {

// A point of the board: column and row from the top-left corner, from 0.
struct BoardPoint {
    int column;
    int row;
};

struct SampleRecord {
    std::wstring fileName;
    int boardSize;
    // In the final position of the main line.
    BoardPoint blackStone;
    BoardPoint whiteStone;
    // Empty, and its eight neighbours too.
    BoardPoint emptyPoint;
};

const std::vector<SampleRecord>& sampleRecords();
// The Windows path of a sample in the source tree.
std::wstring samplePath(const std::wstring& fileName);

}  // namespace pelmora::test
