#include "CairoPainter.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "brenmoor/gdi/FontCaches.h"

namespace {

// cairo keeps coordinates in 24.8 fixed point (about ±8 million); geometry is
// clipped well inside that, yet far enough out that caps, joins and mitres at
// the cut stay off the image.
constexpr double kReach = 1 << 20;
constexpr int kWidestPen = 1 << 16;
// Larger glyphs would cost more memory than any screen needs.
constexpr double kLargestFontHeight = 4096;
constexpr double kDefaultCellHeight = 16;

// Device coordinates name pixel centres and shapes cover the pixels whose
// centres they hold, with the left and top edges in and the right and bottom
// ones out. cairo puts pixel centres at half units; the extra sixty-fourth
// moves edges that fall on a centre just before it, which settles every tie
// that way without antialiasing.
constexpr double kToPixelCentre = 0.5 - 1.0 / 64;

constexpr int kEndCapMask = 0xF00;
constexpr int kJoinMask = 0xF000;
constexpr int kJoinMitre = 0x2000;

struct Point {
  double x = 0;
  double y = 0;
  bool operator==(const Point&) const = default;
};

struct Segment {
  Point a;
  Point b;
};

Point ToPoint(const CPoint& point) {
  return {static_cast<double>(point.x), static_cast<double>(point.y)};
}

Point Along(Point a, Point b, double t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; }

// Narrows [t0, t1] so that start + t * delta stays within ±kReach.
bool Narrow(double start, double delta, double& t0, double& t1) {
  for (const double sign : {-1.0, 1.0}) {
    const double p = sign * delta;
    const double q = kReach - sign * start;
    if (p == 0) {
      if (q < 0) return false;
    } else if (p < 0) {
      t0 = std::max(t0, q / p);
    } else {
      t1 = std::min(t1, q / p);
    }
  }
  return t0 <= t1;
}

// Unclipped ends stay exactly as given, so that pieces of a path still meet.
std::optional<Segment> Clip(Point a, Point b) {
  double t0 = 0;
  double t1 = 1;
  if (!Narrow(a.x, b.x - a.x, t0, t1) || !Narrow(a.y, b.y - a.y, t0, t1)) return std::nullopt;
  return Segment{t0 > 0 ? Along(a, b, t0) : a, t1 < 1 ? Along(a, b, t1) : b};
}

std::vector<Point> ClipToPlane(const std::vector<Point>& polygon, bool alongX, double sign) {
  const auto offset = [&](Point p) { return sign * (alongX ? p.x : p.y); };
  std::vector<Point> kept;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const bool aIn = offset(a) <= kReach;
    if (aIn) kept.push_back(a);
    if (aIn != (offset(b) <= kReach)) {
      kept.push_back(Along(a, b, (kReach - offset(a)) / (offset(b) - offset(a))));
    }
  }
  return kept;
}

std::vector<Point> ClipPolygon(const std::vector<CPoint>& points) {
  std::vector<Point> polygon;
  polygon.reserve(points.size());
  for (const CPoint& point : points) polygon.push_back(ToPoint(point));
  for (const bool alongX : {true, false}) {
    for (const double sign : {-1.0, 1.0}) polygon = ClipToPlane(polygon, alongX, sign);
  }
  return polygon;
}

void SetColour(cairo_t* cr, COLORREF colour) {
  cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                       GetBValue(colour) / 255.0);
}

// A parallelogram one pixel across the longer axis, moved half a step back
// along the line: one pixel per step, the first point's in, the last's out.
void AddOnePixelSegment(cairo_t* cr, const Segment& segment) {
  const double dx = segment.b.x - segment.a.x;
  const double dy = segment.b.y - segment.a.y;
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const double back = 0.5 / std::max(std::abs(dx), std::abs(dy));
  const Point a = Along(segment.a, segment.b, -back);
  const Point b = Along(segment.a, segment.b, 1 - back);
  const Point across = alongX ? Point{0, 0.5} : Point{0.5, 0};
  cairo_move_to(cr, a.x - across.x, a.y - across.y);
  cairo_line_to(cr, b.x - across.x, b.y - across.y);
  cairo_line_to(cr, b.x + across.x, b.y + across.y);
  cairo_line_to(cr, a.x + across.x, a.y + across.y);
  cairo_close_path(cr);
}

// Filled one at a time: opposite windings of overlapping pieces would cancel.
void DrawOnePixelLines(cairo_t* cr, const std::vector<CPoint>& points) {
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    // Repeated points, and segments that only touch the clipping edge, have no direction.
    const auto segment = Clip(ToPoint(points[i]), ToPoint(points[i + 1]));
    if (!segment || segment->a == segment->b) continue;
    AddOnePixelSegment(cr, *segment);
    cairo_fill(cr);
  }
}

// Pieces cut apart by the clipping become separate subpaths; a closed
// outline that stays whole is closed so that its first corner is joined.
void AddStrokePath(cairo_t* cr, const std::vector<CPoint>& points, bool closed) {
  Point end;
  bool joinable = false;
  int pieces = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const auto segment = Clip(ToPoint(points[i]), ToPoint(points[i + 1]));
    if (!segment) {
      joinable = false;
      continue;
    }
    if (!joinable || end != segment->a) {
      cairo_move_to(cr, segment->a.x, segment->a.y);
      ++pieces;
    }
    cairo_line_to(cr, segment->b.x, segment->b.y);
    end = segment->b;
    joinable = true;
  }
  if (closed && pieces == 1 && joinable && end == ToPoint(points.front())) cairo_close_path(cr);
}

// Pens made without the geometric bit draw wide lines with round ends and
// corners whatever else their style says.
void SetPenShape(cairo_t* cr, const PenState& pen) {
  const bool geometric = (pen.style & PS_GEOMETRIC) != 0;
  const int cap = geometric ? pen.style & kEndCapMask : PS_ENDCAP_ROUND;
  const int join = geometric ? pen.style & kJoinMask : PS_JOIN_ROUND;
  cairo_set_line_cap(cr, cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                          : join == kJoinMitre  ? CAIRO_LINE_JOIN_MITER
                                                : CAIRO_LINE_JOIN_ROUND);
}

// Expects the pixel-centre transform and no antialiasing to be in place.
void DrawLines(cairo_t* cr, const PenState& pen, const std::vector<CPoint>& points, bool closed) {
  if ((pen.style & 0x0F) == PS_NULL) return;
  SetColour(cr, pen.colour);
  if (pen.width <= 1) {
    DrawOnePixelLines(cr, points);
    return;
  }
  SetPenShape(cr, pen);
  cairo_set_line_width(cr, std::min(pen.width, kWidestPen));
  AddStrokePath(cr, points, closed);
  cairo_stroke(cr);
}

// Sharp edges for lines and fills, with pixel centres on device coordinates.
class PixelExact {
 public:
  explicit PixelExact(cairo_t* cr) : cr_(cr) {
    cairo_save(cr_);
    cairo_translate(cr_, kToPixelCentre, kToPixelCentre);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  }
  ~PixelExact() { cairo_restore(cr_); }
  PixelExact(const PixelExact&) = delete;
  PixelExact& operator=(const PixelExact&) = delete;

 private:
  cairo_t* cr_;
};

// ---- Fonts ----

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsWindowsMonospaceFace(const std::string& family) {
  static constexpr std::array<const char*, 7> faces = {
      "courier",  "courier new", "consolas", "lucida console", "lucida sans typewriter",
      "terminal", "fixedsys"};
  const std::string lower = AsciiLower(family);
  return std::any_of(faces.begin(), faces.end(), [&](const char* face) { return lower == face; });
}

bool MatchIsMonospace(const std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  int spacing = FC_PROPORTIONAL;
  if (match != nullptr) {
    FcPatternGetInteger(match, FC_SPACING, 0, &spacing);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return spacing == FC_MONO || spacing == FC_CHARCELL;
}

// The family to ask cairo for: the face itself, unless the machine would put
// a proportional face in place of a monospace one that programs line text up with.
std::string ResolveFamily(const std::string& face) {
  if (face.empty()) return "sans-serif";
  if (IsWindowsMonospaceFace(face) && !MatchIsMonospace(face)) return "monospace";
  return face;
}

std::string FaceName(const LOGFONT& font) {
  const std::size_t length = wcsnlen(font.lfFaceName, LF_FACESIZE);
  return CString(font.lfFaceName, static_cast<int>(length)).ToUtf8();
}

struct ScaledFontRelease {
  void operator()(cairo_scaled_font_t* font) const { cairo_scaled_font_destroy(font); }
};
using ScaledFontPtr = std::unique_ptr<cairo_scaled_font_t, ScaledFontRelease>;

// Unhinted metrics grow in proportion to the size, so a cell height can be
// met exactly; advances are rounded to whole pixels one glyph at a time.
ScaledFontPtr CreateScaledFont(cairo_font_face_t* face, double em) {
  cairo_matrix_t size;
  cairo_matrix_t device;
  cairo_matrix_init_scale(&size, em, em);
  cairo_matrix_init_identity(&device);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  ScaledFontPtr font(cairo_scaled_font_create(face, &size, &device, options));
  cairo_font_options_destroy(options);
  return font;
}

double CellHeightPerEm(cairo_font_face_t* face, double em) {
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(CreateScaledFont(face, em).get(), &extents);
  return (extents.ascent + extents.descent) / em;
}

// Negative heights give the em, positive ones the whole cell.
double EmFor(cairo_font_face_t* face, LONG lfHeight) {
  const double requested =
      lfHeight == 0 ? kDefaultCellHeight
                    : std::clamp<double>(lfHeight, -kLargestFontHeight, kLargestFontHeight);
  if (requested < 0) return -requested;
  const double perEm = CellHeightPerEm(face, requested);
  return perEm > 0 ? requested / perEm : requested;
}

struct Font {
  ScaledFontPtr scaled;
  double em = 0;
  int ascent = 0;
  int height = 0;
};

// Offset of the underline's top below the baseline and its thickness, in
// whole pixels; in proportion to the size when the font does not tell.
std::pair<int, int> UnderlinePlacement(const Font& font) {
  double centre = font.em / 10;
  double thickness = font.em / 14;
  if (cairo_scaled_font_get_type(font.scaled.get()) == CAIRO_FONT_TYPE_FT) {
    if (FT_Face face = cairo_ft_scaled_font_lock_face(font.scaled.get())) {
      if (FT_IS_SCALABLE(face) && face->underline_thickness > 0) {
        const double scale = font.em / face->units_per_EM;
        centre = -face->underline_position * scale;
        thickness = face->underline_thickness * scale;
      }
      cairo_ft_scaled_font_unlock_face(font.scaled.get());
    }
  }
  return {static_cast<int>(std::lround(centre - thickness / 2)),
          std::max(1, static_cast<int>(std::lround(thickness)))};
}

// Glyphs placed from x = 0 on the baseline y = 0, at whole-pixel advances.
struct Run {
  std::vector<cairo_glyph_t> glyphs;
  std::int64_t width = 0;
};

Run Layout(const Font& font, const CString& text) {
  Run run;
  std::string utf8 = text.ToUtf8();
  // cairo would stop at a null; the text goes on past it, the null taking no room.
  std::erase(utf8, '\0');
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (utf8.empty() || cairo_scaled_font_text_to_glyphs(
                          font.scaled.get(), 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                          &glyphs, &count, nullptr, nullptr, nullptr) != CAIRO_STATUS_SUCCESS) {
    return run;
  }
  run.glyphs.assign(glyphs, glyphs + count);
  cairo_glyph_free(glyphs);
  for (cairo_glyph_t& glyph : run.glyphs) {
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(font.scaled.get(), &glyph, 1, &extents);
    glyph.x = static_cast<double>(run.width);
    glyph.y = 0;
    run.width += std::lround(extents.x_advance);
  }
  return run;
}

LONG ClampToLong(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}


Font Open(std::map<std::string, std::string>& families, const LOGFONT& description) {
  const std::string face = FaceName(description);
  auto known = families.find(face);
  if (known == families.end()) known = families.emplace(face, ResolveFamily(face)).first;
  cairo_font_face_t* fontFace = cairo_toy_font_face_create(
      known->second.c_str(),
      description.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
      description.lfWeight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  Font font;
  font.em = EmFor(fontFace, description.lfHeight);
  font.scaled = CreateScaledFont(fontFace, font.em);
  cairo_font_face_destroy(fontFace);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(font.scaled.get(), &extents);
  font.ascent = static_cast<int>(std::lround(extents.ascent));
  font.height = static_cast<int>(std::lround(extents.ascent + extents.descent));
  return font;
}

// The drawing area; the arguments of the drawing calls may lie anywhere.
struct Area {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

void FillRect(cairo_t* cr, Area area, std::int64_t left, std::int64_t top, std::int64_t width,
              std::int64_t height, COLORREF colour) {
  const std::int64_t x0 = std::max<std::int64_t>(left, 0);
  const std::int64_t y0 = std::max<std::int64_t>(top, 0);
  const std::int64_t x1 = std::min<std::int64_t>(left + width, area.width);
  const std::int64_t y1 = std::min<std::int64_t>(top + height, area.height);
  if (x0 >= x1 || y0 >= y1) return;
  SetColour(cr, colour);
  cairo_rectangle(cr, static_cast<double>(x0), static_cast<double>(y0),
                  static_cast<double>(x1 - x0), static_cast<double>(y1 - y0));
  cairo_fill(cr);
}

// Glyphs well away from the area are left out: a long run mostly outside
// costs nothing, and no position handed to cairo nears its limits.
void ShowGlyphs(cairo_t* cr, Area area, Run run, const Font& font, std::int64_t x,
                std::int64_t baseline, COLORREF colour) {
  const std::int64_t margin = 4 * static_cast<std::int64_t>(font.height) + 4;
  if (baseline + margin < 0 || baseline - margin > area.height) return;
  std::erase_if(run.glyphs, [&](const cairo_glyph_t& glyph) {
    const std::int64_t at = x + static_cast<std::int64_t>(glyph.x);
    return at + margin < 0 || at - margin > area.width;
  });
  for (cairo_glyph_t& glyph : run.glyphs) {
    glyph.x += static_cast<double>(x);
    glyph.y = static_cast<double>(baseline);
  }
  SetColour(cr, colour);
  cairo_set_scaled_font(cr, font.scaled.get());
  cairo_show_glyphs(cr, run.glyphs.data(), static_cast<int>(run.glyphs.size()));
}

}  // namespace

// The context holds the fonts it drew with until the surface destroys it,
// before the painter goes.
CairoPainter::CairoPainter(cairo_t* cr, int width, int height)
    : cr_(cr), width_(std::max(width, 0)), height_(std::max(height, 0)) {
  BeginFontCacheUse();
}

CairoPainter::~CairoPainter() { EndFontCacheUse(); }

void CairoPainter::Paint(COLORREF colour) {
  SetColour(cr_, colour);
  cairo_paint(cr_);
}

void CairoPainter::TextOut(const DrawState& state, int x, int y, const CString& text) {
  const Area area{width_, height_};
  const Font font = Open(families_, state.font);
  Run run = Layout(font, text);
  const std::int64_t width = run.width;
  if (state.backMode == OPAQUE) FillRect(cr_, area, x, y, width, font.height, state.backColour);
  ShowGlyphs(cr_, area, std::move(run), font, x, static_cast<std::int64_t>(y) + font.ascent,
             state.textColour);
  if (state.font.lfUnderline) {
    const auto [offset, thickness] = UnderlinePlacement(font);
    FillRect(cr_, area, x, static_cast<std::int64_t>(y) + font.ascent + offset, width, thickness,
             state.textColour);
  }
}

void CairoPainter::Polyline(const DrawState& state, const std::vector<CPoint>& points) {
  const PixelExact exact(cr_);
  DrawLines(cr_, state.pen, points, false);
}

void CairoPainter::Polygon(const DrawState& state, const std::vector<CPoint>& points) {
  if (points.empty()) return;
  const PixelExact exact(cr_);
  for (const Point& point : ClipPolygon(points)) cairo_line_to(cr_, point.x, point.y);
  cairo_close_path(cr_);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr_, state.brushColour);
  cairo_fill(cr_);
  std::vector<CPoint> outline = points;
  outline.push_back(points.front());
  DrawLines(cr_, state.pen, outline, true);
}

CSize CairoPainter::TextExtent(const LOGFONT& font, const CString& text) {
  const Font opened = Open(families_, font);
  return {ClampToLong(Layout(opened, text).width), opened.height};
}
