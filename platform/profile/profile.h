// INI files read and written one key at a time, the way the Windows private-profile calls do:
// sections and keys compared without case, everything else in the file left as it was.
#pragma once

#include <optional>
#include <string>

namespace tv::profile {

// The value of key in section, read the way a hand-edited INI file is meant: the text after the
// key's first "=" up to the line's end, without the blanks and tabs around it and without one
// pair of double or single quotes around it; a CR is never part of it. In UTF-8 whatever the
// file's encoding. nullopt when the file, the section or the key is missing or the file cannot
// be read. The first section and the first key of a name count; lines that are neither a
// section, a "key=value" line nor a ";" comment are ignored.
std::optional<std::string> ReadValue(const std::string& file, const std::string& section,
                                     const std::string& key);

// Sets key=value in section, creating the file, the section or the key when missing; a value
// whose edges the reader would drop (blanks, a pair of quotes) is written in double quotes, so
// it reads back the same. Every other line keeps its bytes and the file its encoding, unless the value holds
// a character the Windows code page of such a file lacks: then the whole file turns UTF-8. Names and a value
// that are not UTF-8 are taken as Windows-1252 text. The file is replaced atomically; false
// (file unchanged, reason in *error) when it cannot be written or read, or when section, key
// or value cannot be stored on one line.
bool WriteValue(const std::string& file, const std::string& section, const std::string& key,
                const std::string& value, std::string* error = nullptr);

}  // namespace tv::profile
