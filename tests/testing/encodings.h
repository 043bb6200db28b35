// One text in each encoding another program may write a text file in, for tests of the readers
// that must take them all alike.
#pragma once

#include <string>
#include <vector>

#include "text/file_text.h"

namespace tv::test_support {

struct EncodedText {
  const char* what;
  std::string bytes;
};

// utf8 must be text the Windows code page can hold.
inline std::vector<EncodedText> InEveryEncoding(const std::string& utf8) {
  using text::FileEncoding;
  return {{"Windows-1252", text::EncodeFileText(utf8, FileEncoding::Windows1252)},
          {"UTF-8", utf8},
          {"UTF-8 with mark", text::EncodeFileText(utf8, FileEncoding::Utf8WithMark)},
          {"UTF-16 LE", text::EncodeFileText(utf8, FileEncoding::Utf16Le)},
          {"UTF-16 BE", text::EncodeFileText(utf8, FileEncoding::Utf16Be)}};
}

}  // namespace tv::test_support
