#include "trace_log.h"

#include <charconv>
#include <cstdlib>
#include <ctime>

namespace sawplan {

namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

std::string TraceLog::TemporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string TraceLog::FileNameFor(int year, int month, int day, int hour, int minute) {
  char name[64];
  std::snprintf(name, sizeof name, "VREX_%04d_%02d_%02d_%02d_%02d.log", year, month, day, hour, minute);
  return name;
}

void TraceLog::OpenLogFile() {
  CloseLogFile();
  const std::tm local = LocalNow();
  path_ = TemporaryFolder() +
          FileNameFor(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  file_ = std::fopen(path_.c_str(), "w");
}

void TraceLog::CloseLogFile() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

void TraceLog::WriteLine(std::string_view text) {
  if (file_ == nullptr) return;
  const std::tm local = LocalNow();
  std::fprintf(file_, "%02d:%02d - %.*s\n", local.tm_hour, local.tm_min, static_cast<int>(text.size()),
               text.data());
  std::fflush(file_);
}

void TraceLog::LogText(std::string_view text) {
  WriteLine(text);
}

void TraceLog::LogInt(std::string_view label, int32_t value) {
  std::string line(label);
  line += " : ";
  line += std::to_string(value);
  WriteLine(line);
}

void TraceLog::LogReal(std::string_view label, double value) {
  // Fixed notation with six decimals; to_chars keeps the point a point whatever locale the
  // host program has switched to.
  char number[400];
  const auto result = std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 6);
  std::string line(label);
  line += " : ";
  line.append(number, result.ptr);
  WriteLine(line);
}

}  // namespace sawplan
