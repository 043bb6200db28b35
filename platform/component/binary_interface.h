// The binary interface between a component library and the program that loads it: class and
// interface identifiers, result codes, the reference-counted base interface, the class factory,
// the connection point of an event source and the exported entry points. Header only, no
// linking needed, so a component library can build against it without the loader.
#pragma once

#include <cstdint>
#include <string>

namespace tv::component {

// A 128-bit class or interface identifier.
struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};

  friend constexpr bool operator==(const Guid& a, const Guid& b) {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
    for (int i = 0; i < 8; ++i) {
      if (a.data4[i] != b.data4[i]) return false;
    }
    return true;
  }
};

namespace guid_detail {
constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
constexpr uint64_t HexField(const char* text, int first, int digits) {
  uint64_t value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = HexDigit(text[first + i]);
    if (digit < 0) throw "identifier text holds a character that is not a hex digit";
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return value;
}
}  // namespace guid_detail

// Builds an identifier from its registry text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at
// compile time, so the identifiers below read exactly as they appear in the registry.
constexpr Guid GuidFromText(const char (&text)[39]) {
  using guid_detail::HexField;
  if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-' ||
      text[37] != '}') {
    throw "identifier text is not in registry form";
  }
  Guid guid;
  guid.data1 = static_cast<uint32_t>(HexField(text, 1, 8));
  guid.data2 = static_cast<uint16_t>(HexField(text, 10, 4));
  guid.data3 = static_cast<uint16_t>(HexField(text, 15, 4));
  guid.data4[0] = static_cast<uint8_t>(HexField(text, 20, 2));
  guid.data4[1] = static_cast<uint8_t>(HexField(text, 22, 2));
  for (int i = 0; i < 6; ++i) guid.data4[2 + i] = static_cast<uint8_t>(HexField(text, 25 + 2 * i, 2));
  return guid;
}

// The registry text of an identifier, upper-case hex in braces.
inline std::string GuidText(const Guid& guid) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "{";
  auto put = [&text](uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xF];
  };
  put(guid.data1, 8);
  text += '-';
  put(guid.data2, 4);
  text += '-';
  put(guid.data3, 4);
  text += '-';
  put(guid.data4[0], 2);
  put(guid.data4[1], 2);
  text += '-';
  for (int i = 2; i < 8; ++i) put(guid.data4[i], 2);
  text += '}';
  return text;
}

// Result of every interface method: zero or positive is success, negative a failure.
using HResult = int32_t;

constexpr HResult ResultCode(uint32_t bits) {
  return static_cast<HResult>(bits);
}

inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1;
inline constexpr HResult kNotImplemented = ResultCode(0x80004001u);
inline constexpr HResult kNoInterface = ResultCode(0x80004002u);
inline constexpr HResult kInvalidPointer = ResultCode(0x80004003u);
inline constexpr HResult kFail = ResultCode(0x80004005u);
inline constexpr HResult kOutOfMemory = ResultCode(0x8007000Eu);
inline constexpr HResult kInvalidArgument = ResultCode(0x80070057u);
inline constexpr HResult kLibraryNotFound = ResultCode(0x8007007Eu);
inline constexpr HResult kEntryPointNotFound = ResultCode(0x8007007Fu);
inline constexpr HResult kBadLibrary = ResultCode(0x800700C1u);
inline constexpr HResult kNoAggregation = ResultCode(0x80040110u);
inline constexpr HResult kClassNotAvailable = ResultCode(0x80040111u);
inline constexpr HResult kClassNotRegistered = ResultCode(0x80040154u);
inline constexpr HResult kNoConnection = ResultCode(0x80040200u);
inline constexpr HResult kCannotConnect = ResultCode(0x80040202u);
inline constexpr HResult kRegistrationFailed = ResultCode(0x80040201u);

constexpr bool Succeeded(HResult result) {
  return result >= 0;
}

inline constexpr Guid kIidIUnknown = GuidFromText("{00000000-0000-0000-C000-000000000046}");
inline constexpr Guid kIidIClassFactory = GuidFromText("{00000001-0000-0000-C000-000000000046}");
inline constexpr Guid kIidIConnectionPointContainer = GuidFromText("{B196B284-BAB4-101A-B69C-00AA00341D07}");
inline constexpr Guid kIidIConnectionPoint = GuidFromText("{B196B286-BAB4-101A-B69C-00AA00341D07}");

// Every interface starts with these three methods. Objects delete themselves when the last
// reference is released, so the destructor is never called through an interface.
class IUnknown {
 public:
  virtual HResult QueryInterface(const Guid& iid, void** object) = 0;
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

 protected:
  ~IUnknown() = default;
};

class IClassFactory : public IUnknown {
 public:
  // outer is the controlling object when the new object is aggregated (then iid must be
  // kIidIUnknown), else null.
  virtual HResult CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
  virtual HResult LockServer(int32_t lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// One outgoing interface of an object: sinks advised here receive its events.
class IConnectionPoint : public IUnknown {
 public:
  virtual HResult GetConnectionInterface(Guid* iid) = 0;
  // The sink must answer QueryInterface for the outgoing interface; cookie identifies the
  // connection for Unadvise.
  virtual HResult Advise(IUnknown* sink, uint32_t* cookie) = 0;
  virtual HResult Unadvise(uint32_t cookie) = 0;

 protected:
  ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown {
 public:
  virtual HResult FindConnectionPoint(const Guid& iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

// The four entry points a component library exports with C linkage.
using DllGetClassObjectFn = HResult (*)(const Guid* clsid, const Guid* iid, void** object);
using DllCanUnloadNowFn = HResult (*)();
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();

inline constexpr const char* kDllGetClassObjectName = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNowName = "DllCanUnloadNow";
inline constexpr const char* kDllRegisterServerName = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServerName = "DllUnregisterServer";

}  // namespace tv::component
