// Small DXF drawings for tests and benchmarks: an entities section built from a few calls.
// Standard library only, so a benchmark can use it without the test framework.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tv::test_support {

class DxfFixture {
 public:
  // The "999" comment lines that open the file ("Key: Value" each).
  DxfFixture& Comment(const std::string& line) {
    comments_ += "999\n" + line + "\n";
    return *this;
  }
  DxfFixture& Line(const std::string& layer, double x1, double y1, double x2, double y2, double z = 0) {
    Out() << "0\nLINE\n8\n"
          << layer << "\n10\n"
          << x1 << "\n20\n"
          << y1 << "\n30\n"
          << z << "\n11\n"
          << x2 << "\n21\n"
          << y2 << "\n31\n"
          << z << "\n";
    return *this;
  }
  // Four lines round the rectangle, drawn as a chain.
  DxfFixture& LineRect(const std::string& layer, double x, double y, double length, double width) {
    Line(layer, x, y, x + length, y);
    Line(layer, x + length, y, x + length, y + width);
    Line(layer, x + length, y + width, x, y + width);
    return Line(layer, x, y + width, x, y);
  }
  // A line in colour number aci (1 red, 5 blue, 7 black or white).
  DxfFixture& ColorLine(const std::string& layer, int aci, double x1, double y1, double x2, double y2) {
    Out() << "0\nLINE\n8\n"
          << layer << "\n62\n"
          << aci << "\n10\n"
          << x1 << "\n20\n"
          << y1 << "\n30\n0\n11\n"
          << x2 << "\n21\n"
          << y2 << "\n31\n0\n";
    return *this;
  }
  // A filled area; the corners in the file's order (the third and fourth cross for a rectangle).
  DxfFixture& Solid(const std::string& layer, double x1, double y1, double x2, double y2, double x3,
                    double y3, double x4, double y4) {
    Out() << "0\nSOLID\n8\n"
          << layer << "\n10\n"
          << x1 << "\n20\n"
          << y1 << "\n30\n0\n11\n"
          << x2 << "\n21\n"
          << y2 << "\n31\n0\n12\n"
          << x3 << "\n22\n"
          << y3 << "\n32\n0\n13\n"
          << x4 << "\n23\n"
          << y4 << "\n33\n0\n";
    return *this;
  }
  DxfFixture& Arc(const std::string& layer, double cx, double cy, double r, double a1, double a2) {
    Out() << "0\nARC\n8\n"
          << layer << "\n10\n"
          << cx << "\n20\n"
          << cy << "\n30\n0\n40\n"
          << r << "\n50\n"
          << a1 << "\n51\n"
          << a2 << "\n";
    return *this;
  }
  // A lightweight polyline; each vertex is x, y and the bulge of the segment that follows it.
  struct Vertex {
    double x, y, bulge = 0;
  };
  DxfFixture& LwPolyline(const std::string& layer, const std::vector<Vertex>& vertices, bool closed) {
    Out() << "0\nLWPOLYLINE\n100\nAcDbEntity\n8\n"
          << layer << "\n100\nAcDbPolyline\n90\n"
          << vertices.size() << "\n70\n"
          << (closed ? 1 : 0) << "\n";
    for (const Vertex& v : vertices) {
      Out() << "10\n" << v.x << "\n20\n" << v.y << "\n";
      if (v.bulge != 0) Out() << "42\n" << v.bulge << "\n";
    }
    return *this;
  }
  // A classic POLYLINE with VERTEX entities.
  DxfFixture& Polyline(const std::string& layer, const std::vector<Vertex>& vertices, bool closed) {
    Out() << "0\nPOLYLINE\n8\n" << layer << "\n66\n1\n10\n0\n20\n0\n30\n0\n70\n" << (closed ? 1 : 0) << "\n";
    for (const Vertex& v : vertices) {
      Out() << "0\nVERTEX\n8\n" << layer << "\n10\n" << v.x << "\n20\n" << v.y << "\n30\n0\n";
      if (v.bulge != 0) Out() << "42\n" << v.bulge << "\n";
    }
    Out() << "0\nSEQEND\n8\n" << layer << "\n";
    return *this;
  }
  DxfFixture& Text(const std::string& layer, double x, double y, const std::string& text,
                   double rotation = 0) {
    Out() << "0\nTEXT\n8\n"
          << layer << "\n10\n"
          << x << "\n20\n"
          << y << "\n30\n0\n40\n10\n1\n"
          << text << "\n50\n"
          << rotation << "\n";
    return *this;
  }
  DxfFixture& Circle(const std::string& layer, double cx, double cy, double r, double z = 0) {
    Out() << "0\nCIRCLE\n8\n"
          << layer << "\n10\n"
          << cx << "\n20\n"
          << cy << "\n30\n"
          << z << "\n40\n"
          << r << "\n";
    return *this;
  }
  DxfFixture& Point(const std::string& layer, double x, double y) {
    Out() << "0\nPOINT\n8\n" << layer << "\n10\n" << x << "\n20\n" << y << "\n30\n0\n";
    return *this;
  }

  std::string Dxf() const { return comments_ + "0\nSECTION\n2\nENTITIES\n" + body_ + "0\nENDSEC\n0\nEOF\n"; }

 private:
  // Appends what is streamed into it to the entities when the statement ends.
  class Appender {
   public:
    explicit Appender(std::string& target) : target_(target) { out_.precision(15); }
    ~Appender() { target_ += out_.str(); }
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;
    template <typename T>
    Appender& operator<<(const T& value) {
      out_ << value;
      return *this;
    }

   private:
    std::string& target_;
    std::ostringstream out_;
  };
  Appender Out() { return Appender(body_); }

  std::string comments_;
  std::string body_;
};

}  // namespace tv::test_support
