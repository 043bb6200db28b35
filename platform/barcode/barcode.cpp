// Code 39 through libzint; zint's own error codes are folded onto our nine error numbers.
#include "barcode/barcode.h"

#include <zint.h>

#include <array>
#include <memory>

namespace tv::barcode {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

int MapZintError(int zintError) {
  switch (zintError) {
    case ZINT_ERROR_TOO_LONG:
      return kWrongLength;
    case ZINT_ERROR_INVALID_DATA:
      return kIllegalCharacter;
    case ZINT_ERROR_INVALID_OPTION:
      return kUnknownType;
    default:  // check digit, internal encoding or memory trouble
      return kEmbeddedCodeError;
  }
}

bool ModuleIsDark(const zint_symbol& symbol, int row, int column) {
  // zint packs each row's modules into bytes, least significant bit first.
  return ((symbol.encoded_data[row][column / 8] >> (column % 8)) & 1) != 0;
}

}  // namespace

Encoded Encode(std::string_view code, int type) {
  Encoded result;
  if (type != kCode39) {
    result.error = kUnknownType;
    return result;
  }
  // zint would call an empty text invalid data; for the user it is a length problem.
  if (code.empty()) {
    result.error = kWrongLength;
    return result;
  }
  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) {
    result.error = kEmbeddedCodeError;
    return result;
  }
  symbol->symbology = BARCODE_CODE39;
  symbol->input_mode = DATA_MODE;
  const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(code.data()),
                                     static_cast<int>(code.size()));
  if (status >= ZINT_ERROR) {
    result.error = MapZintError(status);
    return result;
  }
  result.pattern.reserve(static_cast<size_t>(symbol->width));
  for (int column = 0; column < symbol->width; ++column) {
    result.pattern.push_back(ModuleIsDark(*symbol, 0, column) ? '1' : '0');
  }
  return result;
}

std::string_view ErrorText(int error) {
  static constexpr std::array<std::string_view, 9> kTexts = {
      "Wrong code length",         "Unrecognised code type", "Wrong add-on code length",
      "Illegal character in code", "Error in embedded code", "Generated line width less than 1 unit",
      "Invalid text font",         "Invalid device context", "Invalid Caption property",
  };
  if (error < 1 || error > static_cast<int>(kTexts.size())) return {};
  return kTexts[static_cast<size_t>(error - 1)];
}

}  // namespace tv::barcode
