// File-name patterns with "*" and "?", matched without regard to case as the file dialogs
// and file lists of the program have always done.
#pragma once

#include <string_view>

namespace tv::files {

// True when the text has a "*" or "?".
bool HasWildcards(std::string_view name);

// "*" matches any run of characters, "?" exactly one (a whole UTF-8 character); letters
// compare without regard to ASCII case. A pattern ending in ".*" also matches names without
// an extension, so "*.*" matches every name.
bool WildcardMatch(std::string_view name, std::string_view pattern);

// Case-insensitive ordering of names as in a file list, ties broken by byte order so the order
// is total.
bool FileNameLess(std::string_view a, std::string_view b);

}  // namespace tv::files
