// The product's identity, shown in the About box and written in the log header.
#pragma once

#include "product_version.h"

constexpr const char* kProductName = "Dorvelquinta";
constexpr const char* kProductVersion = DVQ_LOG_VERSION;
constexpr const char* kProductBuild = DVQ_BUILD_TEXT;
