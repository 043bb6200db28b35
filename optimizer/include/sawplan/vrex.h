// The binary contract of the layout optimizer library libsawplan.so: the records that cross
// between the program and the library, the interfaces IVrex and _IVrexEvents, and the
// identifiers under which the class Vrex is registered.
#pragma once

#include <cstddef>
#include <cstdint>

#include "component/binary_interface.h"

namespace sawplan {

// The component model the contract is written in.
using tv::component::Guid;
using tv::component::GuidFromText;
using tv::component::HResult;
using tv::component::IUnknown;
using tv::component::kIidIUnknown;
using tv::component::kOk;

// Records: int32 and double, little-endian, doubles on 8-byte boundaries. The padding words
// are part of the layout both sides share.

struct tVREXSettings {
  int32_t max_runtime;                 // seconds per panel-type search
  int32_t max_num_iters;               // constructions without improvement before a search stops
  int32_t minimize_number_of_layouts;  // flag
  int32_t use_one_panel_if_possible;   // flag
  double saw_kerf;
  double max_saw_cuttingwidth;
  double min_stockutilization;  // percent; below 1.0 is taken as 1.0
  int32_t start_corner;         // 0, 1, 2, 3: corner the result coordinates are measured from
  int32_t small_parts_inside;   // flag
};

struct tVREXPanelData {
  double length;
  double width;
  double drilling_area_length;
  double drilling_area_width;
  int32_t instock;
  int32_t sequence;
  int32_t num;
  int32_t padding;
};

struct tVREXPartData {
  int32_t pid;
  int32_t padding1;
  double length;
  double width;
  int32_t turnable;
  int32_t drilling_required;
  double drill_length;
  double drill_width;
  double drill_length_turned;
  double drill_width_turned;
  int32_t sequence;
  int32_t maxnumperpanel;
  int32_t num;
  int32_t padding2;
};

struct tVREXProgress {
  int32_t numpanelsused;
  int32_t numlayouts;
  int32_t numpanelstogo;
  int32_t numpartstogo;
};

struct tVREXLayoutData {
  int32_t panelindex;
  int32_t numused;
  int32_t numplacedparts;
};

struct tVREXPlacedPartData {
  int32_t pid;
  int32_t padding;
  double length;
  double width;
  double lengthcoord;
  double widthcoord;
};

static_assert(sizeof(tVREXSettings) == 48);
static_assert(offsetof(tVREXSettings, max_runtime) == 0);
static_assert(offsetof(tVREXSettings, max_num_iters) == 4);
static_assert(offsetof(tVREXSettings, minimize_number_of_layouts) == 8);
static_assert(offsetof(tVREXSettings, use_one_panel_if_possible) == 12);
static_assert(offsetof(tVREXSettings, saw_kerf) == 16);
static_assert(offsetof(tVREXSettings, max_saw_cuttingwidth) == 24);
static_assert(offsetof(tVREXSettings, min_stockutilization) == 32);
static_assert(offsetof(tVREXSettings, start_corner) == 40);
static_assert(offsetof(tVREXSettings, small_parts_inside) == 44);

static_assert(sizeof(tVREXPanelData) == 48);
static_assert(offsetof(tVREXPanelData, length) == 0);
static_assert(offsetof(tVREXPanelData, width) == 8);
static_assert(offsetof(tVREXPanelData, drilling_area_length) == 16);
static_assert(offsetof(tVREXPanelData, drilling_area_width) == 24);
static_assert(offsetof(tVREXPanelData, instock) == 32);
static_assert(offsetof(tVREXPanelData, sequence) == 36);
static_assert(offsetof(tVREXPanelData, num) == 40);
static_assert(offsetof(tVREXPanelData, padding) == 44);

static_assert(sizeof(tVREXPartData) == 80);
static_assert(offsetof(tVREXPartData, pid) == 0);
static_assert(offsetof(tVREXPartData, padding1) == 4);
static_assert(offsetof(tVREXPartData, length) == 8);
static_assert(offsetof(tVREXPartData, width) == 16);
static_assert(offsetof(tVREXPartData, turnable) == 24);
static_assert(offsetof(tVREXPartData, drilling_required) == 28);
static_assert(offsetof(tVREXPartData, drill_length) == 32);
static_assert(offsetof(tVREXPartData, drill_width) == 40);
static_assert(offsetof(tVREXPartData, drill_length_turned) == 48);
static_assert(offsetof(tVREXPartData, drill_width_turned) == 56);
static_assert(offsetof(tVREXPartData, sequence) == 64);
static_assert(offsetof(tVREXPartData, maxnumperpanel) == 68);
static_assert(offsetof(tVREXPartData, num) == 72);
static_assert(offsetof(tVREXPartData, padding2) == 76);

static_assert(sizeof(tVREXProgress) == 16);
static_assert(offsetof(tVREXProgress, numpanelsused) == 0);
static_assert(offsetof(tVREXProgress, numlayouts) == 4);
static_assert(offsetof(tVREXProgress, numpanelstogo) == 8);
static_assert(offsetof(tVREXProgress, numpartstogo) == 12);

static_assert(sizeof(tVREXLayoutData) == 12);
static_assert(offsetof(tVREXLayoutData, panelindex) == 0);
static_assert(offsetof(tVREXLayoutData, numused) == 4);
static_assert(offsetof(tVREXLayoutData, numplacedparts) == 8);

static_assert(sizeof(tVREXPlacedPartData) == 40);
static_assert(offsetof(tVREXPlacedPartData, pid) == 0);
static_assert(offsetof(tVREXPlacedPartData, padding) == 4);
static_assert(offsetof(tVREXPlacedPartData, length) == 8);
static_assert(offsetof(tVREXPlacedPartData, width) == 16);
static_assert(offsetof(tVREXPlacedPartData, lengthcoord) == 24);
static_assert(offsetof(tVREXPlacedPartData, widthcoord) == 32);

// The optimizer. All state lives once per loaded library: every object works on the same
// run, and a run ends with ReleaseData before the next Initialize. Every method returns kOk.
class IVrex : public IUnknown {
 public:
  virtual HResult Initialize(int32_t numpanels, int32_t numparts, int32_t useLogfile) = 0;
  virtual HResult PutSettings(const tVREXSettings* settings) = 0;
  virtual HResult PutPanel(const tVREXPanelData* panel) = 0;
  virtual HResult PutPart(const tVREXPartData* part) = 0;
  // Runs the whole optimization before it returns; with useCallback non-zero the advised
  // _IVrexEvents sinks get Connecto once at the top of every pass.
  virtual HResult Optimize(int32_t useCallback) = 0;
  virtual HResult InterruptRun() = 0;
  virtual HResult GetProgress(tVREXProgress* progress) = 0;
  virtual HResult GetNumLayouts(int32_t* numLayouts) = 0;
  virtual HResult GetLayout(int32_t LayoutIndex, tVREXLayoutData* layout) = 0;
  virtual HResult GetPlacedPart(int32_t LayoutIndex, int32_t PartIndex, tVREXPlacedPartData* placedpart) = 0;
  virtual HResult ReleaseData() = 0;

 protected:
  ~IVrex() = default;
};

// The event interface a caller implements and advises through the object's connection point
// (QueryInterface for kIidIConnectionPointContainer, then FindConnectionPoint(kIidIVrexEvents)).
class _IVrexEvents : public IUnknown {
 public:
  virtual HResult Connecto(int32_t numpanelsused, int32_t numlayouts, int32_t numpanelstogo,
                           int32_t numpartstogo) = 0;

 protected:
  ~_IVrexEvents() = default;
};

inline constexpr Guid kClsidVrex = GuidFromText("{AE7CF44B-F0A7-49A1-A327-B0AD0EBD1B39}");
inline constexpr Guid kIidIVrex = GuidFromText("{D223B72E-4BB2-438E-8DF3-30FC46E02A10}");
inline constexpr Guid kIidIVrexEvents = GuidFromText("{F6911B24-CB88-45E2-8A7A-4E8762F298B3}");
inline constexpr Guid kLibidSawplan = GuidFromText("{6B74AF40-E83B-11D3-B166-90BE46C1007A}");

inline constexpr const char* kTypeLibVersion = "2.21";
inline constexpr int kTypeLibLocale = 1033;
inline constexpr const char* kTypeLibHelpString = "Sawplan 2.21 Type Library";
inline constexpr const char* kVrexDescription = "Vrex Class";
inline constexpr const char* kIVrexDescription = "IVrex Interface";
inline constexpr const char* kIVrexEventsDescription = "_IVrexEvents Interface";
inline constexpr const char* kProgIdVrex = "Sawplan.Vrex.2";
inline constexpr const char* kVersionIndependentProgIdVrex = "Sawplan.Vrex";
inline constexpr const char* kThreadingModel = "Apartment";

}  // namespace sawplan
