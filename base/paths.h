// Path helpers every floor shares: joining a folder and a name, the folder part of a path, and the bitmap
// that goes with a layout file.
#pragma once

#include <string>

#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// `directory` + separator + `name`.
std::string JoinPath(const std::string& directory, const std::string& name);

// The folder part of `path`: everything before its last separator, without the separator; empty when the
// path has none.
std::string DirectoryOf(const std::string& path);

// The name of the bitmap that goes with a layout file: the name cut at its last "." followed by ".bmp".
std::string BitmapNameFor(const std::string& layoutFileName);
