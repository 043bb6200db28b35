#include "support/ini.h"

#include "core/program.h"
#include "profile/profile.h"

namespace tv::support {
namespace {

// Stands for a missing key; a stored value of exactly this text reads as empty too.
constexpr char kMissing[] = "END.-";

}  // namespace

std::string ReadIni(const core::Program& program, const std::string& section, const std::string& key) {
  const std::string value = profile::ReadValue(program.IniPath, section, key).value_or(kMissing);
  return value == kMissing ? std::string() : value;
}

bool WriteIni(const core::Program& program, const std::string& section, const std::string& key,
              const std::string& value) {
  return profile::WriteValue(program.IniPath, section, key, value);
}

}  // namespace tv::support
