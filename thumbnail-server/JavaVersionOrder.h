// The order of Java version names as registered under the JavaSoft keys ("1.8.0_301", "11.0.2", "17").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::thumbsrv {

// Compares one component of a version name; <0, 0 or >0. Two all-digit components whose values fit in
// 2,147,483,647 compare as numbers (an empty one reads as 0); any other pair compares as text, code unit by
// code unit as unsigned values, a prefix being the smaller.
int compareVersionComponent(std::wstring_view a, std::wstring_view b);

// Compares two version names component by component; the components lie between '.', '-' and '_', and "0"
// stands in for the components of the shorter name.
int compareJavaVersions(std::wstring_view a, std::wstring_view b);

// The newest of the names in enumeration order; among equal ones the first. Nothing for an empty list.
std::optional<std::wstring> pickNewestJavaVersion(const std::vector<std::wstring>& names);

}  // namespace pelmora::thumbsrv
