// The optimizer's optional trace log: one file per run in the user's temporary folder, every
// line stamped with the local hour and minute and flushed at once, so the file is complete up
// to the last line even when the process ends abruptly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace sawplan {

class TraceLog {
 public:
  TraceLog() = default;
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;
  ~TraceLog() { CloseLogFile(); }

  // Creates (or truncates) "VREX_yyyy_mm_dd_hh_mm.log" in TemporaryFolder(). A file that
  // cannot be created leaves the log closed; the run goes on without it.
  void OpenLogFile();
  void CloseLogFile();
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }

  void LogText(std::string_view text);
  void LogInt(std::string_view label, int32_t value);
  void LogReal(std::string_view label, double value);

  // $TMPDIR when set and not empty, else /tmp; always ends in "/".
  static std::string TemporaryFolder();
  static std::string FileNameFor(int year, int month, int day, int hour, int minute);

 private:
  void WriteLine(std::string_view text);

  std::FILE* file_ = nullptr;
  std::string path_;
};

}  // namespace sawplan
