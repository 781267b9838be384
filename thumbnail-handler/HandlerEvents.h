// The handler's error events, source "PelmoraThumb". The texts are the ones support staff search the event
// log for, spelling included.
#pragma once

#include <string>

namespace pelmora::thumb {

namespace events {
inline constexpr const wchar_t* fileGeneration = L"Pelmora thumbail generation (file)";
inline constexpr const wchar_t* fileGenerationQuery = L"Pelmora thumbails generation (file)";
inline constexpr const wchar_t* streamGeneration = L"Pelmora thumbail stream generation";
inline constexpr const wchar_t* creationFailed = L"Error in CoCreate";
inline constexpr const wchar_t* queryFailed = L"Error in QueryInterface";
inline constexpr const wchar_t* noGenerator = L"Error getting generator";
inline constexpr const wchar_t* previewFailed = L"Preview generation failed";
inline constexpr const wchar_t* noDate = L"could not get date for file";
// A request that did not come back within its bound; the second string names the record.
inline constexpr const wchar_t* requestTimedOut = L"Pelmora thumbnail not ready in time";
}  // namespace events

void reportError(const std::wstring& first, const std::wstring& second);

}  // namespace pelmora::thumb
