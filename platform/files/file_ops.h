// File tests, lists, deletion and folder creation on paths that may hold "\" and names that may
// differ in case from the files on disk (see path_resolve.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tv::files {

// True when a file matches the path. The last level may hold "*" and "?" (matched without
// regard to case); the folder's own entry counts as a match, so Exist(folder & "*.*") answers
// whether the folder exists, even when it is empty. Without wildcards, true when the path names
// a file (not a folder), found case-insensitively when the exact name is missing.
bool Exist(const std::string& pathOrPattern);

// Number of files (folders not counted) that match the path or pattern.
int FCount(const std::string& spec);

// Deletes the file, or with wildcards every file that matches. True when at least one file was
// deleted and none failed; folders are never deleted.
bool KillFile(const std::string& path);

// Creates one folder level inside an existing folder. True when the folder exists afterwards,
// also when it existed already (under any case of its name).
bool MakeDir(const std::string& path);

// A path is ready when its root exists: "/" always, the current folder for relative paths.
// Empty paths and drive-letter paths ("C:", "D:\Nests") are not ready.
bool GoodDrive(const std::string& path);

// Full path of the running program; empty when the system does not tell.
std::string ExeName();

// Names (without folder) of the files in folder that match pattern, in file-list order
// (case-insensitive name order). The folder is found case-insensitively; an empty folder text
// means the current folder. Empty when the folder does not exist.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);

// The whole file, found case-insensitively when the exact name is missing; nothing when it
// cannot be read.
std::optional<std::string> ReadFile(const std::string& path);

}  // namespace tv::files
