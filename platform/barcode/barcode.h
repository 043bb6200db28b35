// Barcode encoder for the sheet labels: turns a code text into a module pattern of "1"
// (dark) and "0" (light) with an error number 1 to 9 when the text cannot be encoded.
#pragma once

#include <string>
#include <string_view>

namespace tv::barcode {

// The only code type the sheets use: Code 39 (digits, capitals, blank and - . $ / + %).
inline constexpr int kCode39 = 9;

// Error numbers of a failed encoding; 0 means success.
inline constexpr int kWrongLength = 1;
inline constexpr int kUnknownType = 2;
inline constexpr int kWrongAddOnLength = 3;
inline constexpr int kIllegalCharacter = 4;
inline constexpr int kEmbeddedCodeError = 5;

struct Encoded {
  std::string pattern;  // one character per module, start and stop characters included; empty on error
  int error = 0;        // 0, or 1 to 9 (see ErrorText)
};

// Encodes code as a barcode of the given type. Only kCode39 is known.
Encoded Encode(std::string_view code, int type = kCode39);

// The user-facing text of an error number 1 to 9; "" for any other number.
std::string_view ErrorText(int error);

}  // namespace tv::barcode
