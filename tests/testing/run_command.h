// Runs an outside program for tests that check what was written with an independent reader
// or drive a command-line tool.
#pragma once

#include <stdio.h>
#include <sys/wait.h>

#include <array>
#include <string>

namespace tv::test_support {

struct CommandResult {
  int exitCode = -1;   // -1 when the command could not be started or did not end normally
  std::string output;  // its standard output; add " 2>&1" to the command for its errors too
};

// Runs the command through the shell and waits for it to end.
inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 512> buffer{};
  while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr)
    result.output += buffer.data();
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace tv::test_support
