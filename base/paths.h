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

// True when `path` does not depend on a working folder: it starts with a drive ("D:") or a separator (a
// network share, the drive's root), either separator counting.
bool IsAbsolutePath(const std::string& path);

// The length in bytes of the character that starts at `text`: 2 for a lead byte of the system's code page
// followed by another byte, else 1.
size_t CharacterLength(const char* text);

// The folder part of `path`: everything before its last separator, without the separator; empty when the
// path has none. The path is walked by characters, so a double-byte character whose second byte is the
// separator's never cuts it.
std::string DirectoryOf(const std::string& path, char separator = kPathSeparator);

// `path` with `extension` (".csv") instead of the extension of its file part, or added when it has none.
std::string WithExtension(const std::string& path, const std::string& extension);

// The name of the bitmap that goes with a layout file: the name cut at its last "." followed by ".bmp".
std::string BitmapNameFor(const std::string& layoutFileName);
