#include "EmfRecords.h"

namespace pelmora::test {

namespace {

int CALLBACK collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& records = *reinterpret_cast<std::vector<EmfRecord>*>(data);
    const auto* first = reinterpret_cast<const BYTE*>(record);
    records.push_back({record->iType, std::vector<BYTE>(first, first + record->nSize)});
    return 1;
}

}  // namespace

std::vector<EmfRecord> recordsOf(HENHMETAFILE emf) {
    std::vector<EmfRecord> records;
    EnumEnhMetaFile(nullptr, emf, collect, &records, nullptr);
    return records;
}

std::vector<EmfRecord> recordsOfType(const std::vector<EmfRecord>& records, DWORD type) {
    std::vector<EmfRecord> matching;
    for (const auto& record : records) {
        if (record.type == type) matching.push_back(record);
    }
    return matching;
}

std::vector<DWORD> typesOf(const std::vector<EmfRecord>& records) {
    std::vector<DWORD> types;
    for (const auto& record : records) types.push_back(record.type);
    return types;
}

std::u16string textOf(const EmfRecord& record) {
    const auto& text = record.as<EMREXTTEXTOUTW>();
    std::u16string result(text.emrtext.nChars, u'\0');
    std::memcpy(result.data(), record.bytes.data() + text.emrtext.offString,
                result.size() * sizeof(char16_t));
    return result;
}

DWORD selectedObject(const EmfRecord& record) {
    return record.as<EMRSELECTOBJECT>().ihObject;
}

}  // namespace pelmora::test
