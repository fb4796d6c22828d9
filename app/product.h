// The product's identity, shown in the About box and written in the log header.
#pragma once

constexpr const char* kProductName = "Dorvelquinta";
constexpr const char* kProductVersion = "V2.2";
constexpr const char* kProductBuild = "1011";
