// Paths as the program's data hold them ("\" or "/" between levels) mapped onto this file
// system, where names differ in case: Part7.DXF must find part7.dxf as it did on the shop's PCs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv::files {

// The path with every "\" turned into "/".
std::string ToSlashes(std::string_view path);

// True for a name an entry directly inside a folder can have here: not empty, neither "." nor
// "..", no "/" and no NUL (which would cut it short). "\" is an ordinary character in it.
bool IsEntryName(std::string_view name);
// True for a name the program may give a file it writes: an entry name without "\", which the
// program's data read as a separator between levels.
bool IsPlainFileName(std::string_view name);

// True for "C:", "C:\..." and the like: drive letters name nothing here.
bool HasDriveLetter(std::string_view path);

// The path of an existing file or folder: each level is taken as given when it exists, else the
// entry of its folder whose name equals it without regard to case (the lowest in byte order
// when several do). "\" becomes "/"; a trailing separator is kept. The path unchanged when some
// level matches nothing.
std::string ResolvePath(const std::string& path);

// The resolved path of an existing file or folder (as ResolvePath), or nothing when some level
// matches nothing.
std::optional<std::string> FindExisting(const std::string& path);

// The name of folder's entry called name: name itself when there is one, else the entry whose
// name equals it without regard to case (the lowest in byte order). The name is one level as it
// stands, "\" included; nothing when the folder has no such entry or name is no entry name.
std::optional<std::string> FindEntryName(const std::string& folder, std::string_view name);

// The path to write to: the folder levels resolved as above, the last name as given (a new file
// gets exactly the name the program chose). The path with "\" turned into "/" when the folder
// itself does not resolve.
std::string ResolveForWriting(const std::string& path);

}  // namespace tv::files
