// The records of an enhanced metafile, as EnumEnhMetaFile plays them back.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace pelmora::test {

struct EmfRecord {
    DWORD type;
    std::vector<BYTE> bytes;

    // The record as its EMR_ structure (the bytes are copied, so alignment is that of the heap).
    template <class Record>
    const Record& as() const {
        return *reinterpret_cast<const Record*>(bytes.data());
    }
};

std::vector<EmfRecord> recordsOf(HENHMETAFILE emf);

// The records of one type, in order.
std::vector<EmfRecord> recordsOfType(const std::vector<EmfRecord>& records, DWORD type);

// The types in order, for failure messages and sequence checks.
std::vector<DWORD> typesOf(const std::vector<EmfRecord>& records);

// The UTF-16 text of an EMR_EXTTEXTOUTW record.
std::u16string textOf(const EmfRecord& record);

// The object index an EMR_SELECTOBJECT selects; stock objects have ENHMETA_STOCK_OBJECT | index.
DWORD selectedObject(const EmfRecord& record);

}  // namespace pelmora::test
