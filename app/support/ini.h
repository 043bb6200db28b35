// The program's INI file "TAVO.INI" (Program::IniPath), read and written one key at a time.
#pragma once

#include <string>

namespace tv::core {
class Program;
}

namespace tv::support {

// The whole value of key in section; empty when the file, section or key is missing, when the
// value is empty, and when it is the text "END.-".
std::string ReadIni(const core::Program& program, const std::string& section, const std::string& key);

// Writes key=value into section, creating the file, section or key when missing. False when the
// file could not be written (it is then left as it was); callers may ignore it.
bool WriteIni(const core::Program& program, const std::string& section, const std::string& key,
              const std::string& value);

}  // namespace tv::support
