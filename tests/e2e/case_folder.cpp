// Laying out and removing the case folders.
#include "tests/e2e/case_folder.h"

#include <windows.h>

#include <fstream>

#include "tests/e2e/player_session.h"
#include "tests/e2e/tester_controls.h"
#include "tools/common/bitmap_file.h"

namespace {

Rgb ColourOf(long colour) {
    return {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
            static_cast<uint8_t>(colour)};
}

std::string BitmapNameOf(const std::string& layoutFileName) {
    return layoutFileName.substr(0, layoutFileName.rfind('.')) + ".bmp";
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

// Deletes what `folder` holds, the folders the tester made there (its spool) with what they hold.
void DeleteFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            DeleteFileA(JoinPath(folder, name).c_str());
        } else if (name != "." && name != "..") {
            DeleteFiles(JoinPath(folder, name));
            RemoveDirectoryA(JoinPath(folder, name).c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

bool MakeFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeEmptyFolder(const std::string& folder) {
    DeleteFiles(folder);
    return MakeFolder(folder);
}

bool WriteLayoutFiles(const std::string& folder, const std::vector<LayoutFile>& files, std::string& problem) {
    const Picture picture(kPictureWidth, kPictureHeight, ColourOf(kPictureColour));
    for (const LayoutFile& file : files) {
        if (!WriteTextFile(JoinPath(folder, file.name), FillFolder(file.text, folder))) {
            problem = "cannot write " + JoinPath(folder, file.name);
            return false;
        }
        const std::string bitmapPath = JoinPath(folder, BitmapNameOf(file.name));
        const bool written =
            !file.withBitmap || (file.picture.empty() ? WriteBitmapFile(bitmapPath, picture)
                                                      : WriteTextFile(bitmapPath, file.picture));
        if (!written) {
            problem = "cannot write " + bitmapPath;
            return false;
        }
    }
    return true;
}

void DeleteFolder(const std::string& folder) {
    DeleteFiles(folder);
    RemoveDirectoryA(folder.c_str());
}

std::string ReadFileBytes(const std::string& path, bool& found) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    found = file != INVALID_HANDLE_VALUE;
    std::string bytes;
    if (!found) {
        return bytes;
    }
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}
