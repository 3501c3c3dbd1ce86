#include "brenmoor/gdi/RecordingSurface.h"

#include <cstdio>

namespace {

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(colour));
  return text;
}

std::string Points(const std::vector<CPoint>& points) {
  std::string text;
  for (const auto& point : points) {
    if (!text.empty()) text += "-";
    text += "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
  }
  return text;
}

std::string Pen(const PenState& pen) {
  char style[16];
  std::snprintf(style, sizeof style, "%x", static_cast<unsigned>(pen.style));
  return "w" + std::to_string(pen.width) + " s" + style + " c" + Hex(pen.colour);
}

}  // namespace

void RecordingSurface::TextOut(const DrawState& state, int x, int y, const CString& text) {
  calls_.push_back({Call::Kind::Text, state, {x, y}, text, {}});
}

void RecordingSurface::Polyline(const DrawState& state, const std::vector<CPoint>& points) {
  calls_.push_back({Call::Kind::Polyline, state, {}, {}, points});
}

void RecordingSurface::Polygon(const DrawState& state, const std::vector<CPoint>& points) {
  calls_.push_back({Call::Kind::Polygon, state, {}, {}, points});
}

void RecordingSurface::SetPixel(int x, int y, COLORREF colour) {
  DrawState state;
  state.pen.colour = colour;
  calls_.push_back({Call::Kind::Pixel, state, {x, y}, {}, {}});
}

CSize RecordingSurface::TextExtent(const LOGFONT&, const CString& text) {
  return {cell_.cx * text.GetLength(), cell_.cy};
}

std::vector<std::string> RecordingSurface::Lines() const {
  std::vector<std::string> lines;
  for (const auto& call : calls_) {
    switch (call.kind) {
      case Call::Kind::Text:
        lines.push_back("text (" + std::to_string(call.at.x) + "," + std::to_string(call.at.y) +
                        ") '" + call.text.ToUtf8() + "' " + Hex(call.state.textColour) + " " +
                        Hex(call.state.backColour) +
                        (call.state.backMode == OPAQUE ? " opaque" : " transparent"));
        break;
      case Call::Kind::Polyline:
        lines.push_back("polyline " + Pen(call.state.pen) + " " + Points(call.points));
        break;
      case Call::Kind::Polygon:
        lines.push_back("polygon " + Pen(call.state.pen) + " b" + Hex(call.state.brushColour) +
                        " " + Points(call.points));
        break;
      case Call::Kind::Pixel:
        lines.push_back("pixel " + Points({call.at}) + " c" + Hex(call.state.pen.colour));
        break;
    }
  }
  return lines;
}
