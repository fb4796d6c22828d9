// Comparing the bytes of a test log with the lines a case expects: every line ends with CR LF, and the
// line "{date}" stands for a header date line of the current local time, and "{any}" in a line for any text
// without a comma.
#pragma once

#include <string>
#include <vector>

constexpr const char* kDateLine = "{date}";
// In an expected line, stands for any text without a comma: a record's time, computer or seconds.
constexpr const char* kAnyField = "{any}";

// Empty when `bytes` are exactly the `expected` lines, else where they first differ.
std::string CompareLog(const std::string& bytes, const std::vector<std::string>& expected);

// How many lines of `bytes` are exactly `line`.
int CountLogLines(const std::string& bytes, const std::string& line);

// How many lines of `bytes` begin with `beginning`.
int CountLogPrefixes(const std::string& bytes, const std::string& beginning);

// True for a date line as "Sun Dec 06 05:35:51 2026" that lies within ten minutes of now (local time).
bool IsCurrentDateLine(const std::string& line);
