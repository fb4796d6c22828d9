// The product's identity, shown in the About box, written in the log header and heading its error messages.
#pragma once

#include "product_version.h"

constexpr const char* kProductName = "Dorvelquinta";
constexpr const char* kProductVersion = DVQ_LOG_VERSION;
constexpr const char* kProductBuild = DVQ_BUILD_TEXT;

// The captions of the error messages, each as the messages it heads have always had it: the errors of a run
// (the host link, the log, the record), a layout line that cannot be read, a layout skipped or none found,
// and the help file missing.
constexpr const char* kErrorCaption = "Dorvelquinta: 错误";
constexpr const char* kParseErrorCaption = "Dorvelquinta 错误";
constexpr const char* kLayoutErrorCaption = "Dorvelquinta - Error";
constexpr const char* kHelpErrorCaption = "错误";
