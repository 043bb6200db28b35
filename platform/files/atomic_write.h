// The one way the program writes a file: a crash or a full disk never leaves a half-written
// file behind.
#pragma once

#include <string>
#include <string_view>

namespace tv::files {

// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target. The folder levels are found case-insensitively; the file name is used as
// given. An existing target keeps its permission bits; a symbolic link is followed so the file
// it points to is replaced or created and the link stays. On failure the old file is left as it was, the
// temporary file is removed, false is returned and *error (when given) says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace tv::files
