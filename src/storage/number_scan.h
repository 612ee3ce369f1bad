// Number reading and the small format-driven scanner that reads the numeric
// values of the schedule file and of the ConfigFile.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace airvane {

// Leading blanks, an optional sign, "0x" (only without a sign), digits;
// 32-bit arithmetic that wraps. consumed: characters up to and including the
// last digit, 0 when there was none.
int32_t parseNumber(std::string_view text, int* consumed = nullptr);

// One output of scanText, in the order of the format's conversions:
// "%d" -> int32_t, "%c" -> char, "%s" -> std::string.
using ScanTarget = std::variant<int32_t*, char*, std::string*>;

// Walks input and format together (see the conversions above; blanks match
// blanks, other characters match themselves). Outputs after the first
// mismatch are left unchanged. True when both ended together.
// A conversion whose output is missing or of another type stops the scan.
bool scanText(std::string_view input, std::string_view format,
              std::initializer_list<ScanTarget> outputs);

}  // namespace airvane
