// The steps and log lines every production case shares: the operator's identification, a keyboard's serial
// number, and the lines the log then holds.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"

constexpr const char* kErrorCaption = "Dorvelquinta: 错误";
constexpr const char* kOperatorId = "op-7";
constexpr const char* kProductId = "KB-105";
constexpr const char* kBatchId = "B2024";

// Fills the Operator dialog with the three identifiers and the log `logName` in the case folder, in append
// mode when `append`, and confirms it; then the first keyboard's serial "SN1" and version "V1". The steps
// name the line of the call.
std::vector<Step> IdentifyRun(const std::string& logName, bool append, SourcePlace writtenAt = {});

// The Serial dialog filled with `serial` and `version` and confirmed; the steps name the line of the call.
std::vector<Step> EnterSerial(const std::string& serial, const std::string& version,
                              SourcePlace writtenAt = {});

// The header block with the three identifiers and the loaded layout's line.
std::vector<std::string> LogHeader(const std::string& layoutName);

// The two lines of a keyboard's serial and version.
std::vector<std::string> SerialLines(const std::string& serial, const std::string& version);

// Appends `tail` to `head`.
std::vector<std::string> JoinLines(std::vector<std::string> head, const std::vector<std::string>& tail);
