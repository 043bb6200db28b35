// The per-user settings of the program (last-used folders and the program folder), kept in the
// registry store under HKCU\Software\Tavolin\<section>, and the one-value registry read.
#pragma once

#include <string>

#include "registry/registry.h"

namespace tv::core {
class Program;
}

namespace tv::support {

// Registry key of a section of the per-user settings.
std::string UserSettingsKey(const std::string& section);

// The stored value of key in section (both compared without case), or defaultValue when there
// is none.
std::string GetUserSetting(const core::Program& program, const std::string& section, const std::string& key,
                           const std::string& defaultValue = {});
// False when the store could not be written.
bool SaveUserSetting(const core::Program& program, const std::string& section, const std::string& key,
                     const std::string& value);

// Start folder of the file dialogs while "Paths" holds no "PList" or "Open" yet: the user's
// home folder with a trailing "/".
std::string DefaultStartFolder();

// Reads the string value valueName of key keyName under root into keyVal. False, with keyVal
// empty, when the key or the value is missing. One trailing zero character (a terminator stored
// with the text) is dropped.
bool GetKeyValue(const core::Program& program, registry::Root root, const std::string& keyName,
                 const std::string& valueName, std::string& keyVal);

}  // namespace tv::support
