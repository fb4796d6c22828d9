// The folders the driver lays out: one fresh folder per case holding a copy of the tester and the case's
// files.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"

// Joins a folder and a name with a backslash.
std::string JoinPath(const std::string& folder, const std::string& name);

// Makes `folder` (its parent must exist) unless it exists. False on failure.
bool MakeFolder(const std::string& folder);

// Makes `folder` (its parent must exist) empty: deletes the files and folders a former run left there. False
// on failure.
bool MakeEmptyFolder(const std::string& folder);

// Writes the case's files into `folder`, each with its picture where the row asks for one. Fills `problem`
// and returns false when a file cannot be written.
bool WriteLayoutFiles(const std::string& folder, const std::vector<LayoutFile>& files, std::string& problem);

// Deletes the files of `folder` and the folder itself.
void DeleteFolder(const std::string& folder);

// The bytes of the file at `path`; `found` tells whether it could be opened. The tester may hold it open.
std::string ReadFileBytes(const std::string& path, bool& found);
