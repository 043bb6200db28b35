// Layers of a drawing: the collection (from 1, in file order) and one layer's name,
// colour and the Stripped flag that keeps it out of written files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tv::drawing {

class Document;

class Layer {
 public:
  const std::string& Name() const { return name_; }
  // Renames the layer; every entity on it follows, since entities refer to the layer
  // itself, not to its name.
  void SetName(std::string_view name) {
    name_ = name;
    ++changes_;
  }

  // Colour as a 24-bit value &HBBGGRR (255 is red, &HFF0000 blue). A layer read from a
  // file answers the colour of its colour number; a colour set here is written as the
  // nearest colour number.
  std::int32_t Color() const;
  void SetColor(std::int32_t bgr);
  // The colour number (1..255) the layer is written with.
  int ColorNumber() const { return aci_; }

  // Layers switched off or frozen in the file are not shown; they are still written.
  bool Visible() const { return on_ && !frozen_; }

  bool Stripped() const { return stripped_; }
  void SetStripped(bool stripped) {
    stripped_ = stripped;
    ++changes_;
  }

 private:
  friend class Document;
  std::string name_;
  int aci_ = 7;
  std::int32_t bgr_ = -1;  // the 24-bit colour when one was set or read, else -1
  bool on_ = true;
  bool frozen_ = false;
  bool locked_ = false;
  bool stripped_ = false;
  std::string lineType_ = "CONTINUOUS";
  int flags_ = 0;              // the other bits of the file's layer flags, written back
  std::uint32_t changes_ = 0;  // counts edits, so that a canvas notices them
};

// A light handle on the drawing's layers; valid while the drawing lives. References to
// layers stay valid until the drawing is replaced by a read.
class LayerCollection {
 public:
  explicit LayerCollection(Document& doc) : doc_(&doc) {}
  int Count() const;
  // index from 1 to Count(); throws std::out_of_range outside.
  Layer& Item(int index) const;
  // Adds a layer, or gives the layer of that exact name when there is one (its colour and
  // flags are then set). on: shown; color: &HBBGGRR; thawed/unlocked: not frozen/not
  // locked; lineWeight has no place in the written format and is ignored; lineType ""
  // means CONTINUOUS.
  Layer& Add(bool on, std::int32_t color, std::string_view name, bool thawed, bool unlocked, int lineWeight,
             std::string_view lineType);

 private:
  Document* doc_;
};

}  // namespace tv::drawing
