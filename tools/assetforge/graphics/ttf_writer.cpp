#include "ttf_writer.h"

#include <algorithm>
#include <climits>
#include <map>

namespace forge {

namespace {

class Bytes {
 public:
  void U8(int v) { data_.push_back(uint8_t(v)); }
  void U16(int v) {
    U8((v >> 8) & 0xFF);
    U8(v & 0xFF);
  }
  void S16(int v) { U16(v & 0xFFFF); }
  void U32(uint32_t v) {
    U16(int(v >> 16));
    U16(int(v & 0xFFFF));
  }
  void U64(uint64_t v) {
    U32(uint32_t(v >> 32));
    U32(uint32_t(v));
  }
  void Tag(const char* t) {
    for (int i = 0; i < 4; ++i) U8(t[i]);
  }
  void Append(const std::vector<uint8_t>& b) { data_.insert(data_.end(), b.begin(), b.end()); }
  void PadTo4() {
    while (data_.size() % 4) U8(0);
  }
  size_t Size() const { return data_.size(); }
  std::vector<uint8_t>& Data() { return data_; }

 private:
  std::vector<uint8_t> data_;
};

uint32_t Checksum(const std::vector<uint8_t>& d, size_t from, size_t length) {
  uint32_t sum = 0;
  for (size_t i = 0; i < length; i += 4) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k) word = (word << 8) | (i + k < length ? d[from + i + k] : 0);
    sum += word;
  }
  return sum;
}

struct GlyphOut {
  int advance = 0;
  int xmin = 0, ymin = 0, xmax = 0, ymax = 0;  // font units
  int contours = 0, points = 0;
  std::vector<uint8_t> glyf;  // empty for a blank glyph
};

GlyphOut EncodeGlyph(const BdfGlyph* glyph, int advance_px) {
  GlyphOut out;
  out.advance = advance_px * kUnitsPerPixel;
  if (!glyph) return out;
  const std::vector<PixelRect> rects = GlyphRectangles(*glyph);
  if (rects.empty()) return out;
  out.xmin = out.ymin = INT_MAX;
  out.xmax = out.ymax = INT_MIN;
  for (const PixelRect& r : rects) {
    out.xmin = std::min(out.xmin, r.x0 * kUnitsPerPixel);
    out.ymin = std::min(out.ymin, r.y0 * kUnitsPerPixel);
    out.xmax = std::max(out.xmax, r.x1 * kUnitsPerPixel);
    out.ymax = std::max(out.ymax, r.y1 * kUnitsPerPixel);
  }
  out.contours = int(rects.size());
  out.points = out.contours * 4;
  Bytes b;
  b.S16(out.contours);
  b.S16(out.xmin);
  b.S16(out.ymin);
  b.S16(out.xmax);
  b.S16(out.ymax);
  for (int i = 0; i < out.contours; ++i) b.U16(i * 4 + 3);
  b.U16(0);                                         // no instructions
  for (int i = 0; i < out.points; ++i) b.U8(0x01);  // on-curve, 16-bit x and y deltas
  // TrueType outer contours run clockwise (y up): up the left edge, right along
  // the top, down the right edge, back along the bottom.
  std::vector<std::pair<int, int>> pts;
  for (const PixelRect& r : rects) {
    const int x0 = r.x0 * kUnitsPerPixel, x1 = r.x1 * kUnitsPerPixel;
    const int y0 = r.y0 * kUnitsPerPixel, y1 = r.y1 * kUnitsPerPixel;
    pts.insert(pts.end(), {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}});
  }
  int prev = 0;
  for (const auto& p : pts) {
    b.S16(p.first - prev);
    prev = p.first;
  }
  prev = 0;
  for (const auto& p : pts) {
    b.S16(p.second - prev);
    prev = p.second;
  }
  b.PadTo4();
  out.glyf = std::move(b.Data());
  return out;
}

std::vector<uint8_t> NameTable(const BdfFont& font) {
  const std::string family = font.family;
  const std::string ps_name = [&] {
    std::string s;
    for (char c : family)
      if (c > 32 && c < 127 && c != '[' && c != ']' && c != '(' && c != ')' && c != '{' && c != '}' && c != '<' &&
          c != '>' && c != '/' && c != '%')
        s += c;
    return s + "-Regular";
  }();
  const std::vector<std::pair<int, std::string>> names = {
      {0, font.copyright.empty() ? "Part of Skitterworm" : font.copyright},
      {1, family},
      {2, "Regular"},
      {3, "Skitterworm: " + family + " Regular " + std::to_string(font.pixel_size) + "px"},
      {4, family + " Regular"},
      {5, "Version 1.000"},
      {6, ps_name},
  };
  Bytes strings;
  Bytes b;
  b.U16(0);
  b.U16(int(names.size()));
  b.U16(6 + 12 * int(names.size()));
  for (const auto& [id, text] : names) {
    b.U16(3);       // Windows
    b.U16(1);       // Unicode BMP
    b.U16(0x0409);  // English (US)
    b.U16(id);
    b.U16(int(text.size()) * 2);
    b.U16(int(strings.Size()));
    for (unsigned char c : text) strings.U16(c);
  }
  b.Append(strings.Data());
  return b.Data();
}

std::vector<uint8_t> CmapTable(const std::vector<std::pair<int, int>>& map) {
  // Segments of consecutive codes with consecutive glyph ids share one delta.
  struct Segment {
    int start, end, delta;
  };
  std::vector<Segment> segs;
  for (const auto& [code, gid] : map) {
    if (!segs.empty() && segs.back().end + 1 == code && code + segs.back().delta == gid) {
      segs.back().end = code;
    } else {
      segs.push_back({code, code, gid - code});
    }
  }
  segs.push_back({0xFFFF, 0xFFFF, 1});
  const int n = int(segs.size());
  int search = 1, selector = 0;
  while (search * 2 <= n) {
    search *= 2;
    ++selector;
  }
  Bytes sub;
  sub.U16(4);
  sub.U16(16 + 8 * n);
  sub.U16(0);
  sub.U16(n * 2);
  sub.U16(search * 2);
  sub.U16(selector);
  sub.U16(n * 2 - search * 2);
  for (const Segment& s : segs) sub.U16(s.end);
  sub.U16(0);
  for (const Segment& s : segs) sub.U16(s.start);
  for (const Segment& s : segs) sub.S16(s.delta);
  for (int i = 0; i < n; ++i) sub.U16(0);
  Bytes b;
  b.U16(0);
  b.U16(2);
  b.U16(0);  // Unicode
  b.U16(3);  // BMP
  b.U32(4 + 8 * 2);
  b.U16(3);  // Windows
  b.U16(1);  // Unicode BMP
  b.U32(4 + 8 * 2);
  b.Append(sub.Data());
  return b.Data();
}

}  // namespace

std::vector<PixelRect> GlyphRectangles(const BdfGlyph& glyph) {
  std::vector<PixelRect> done;
  std::vector<PixelRect> open;  // rectangles still growing downward
  for (int row = 0; row < glyph.bbx_h; ++row) {
    const int y = glyph.bbx_y + glyph.bbx_h - 1 - row;  // pixel row's bottom edge, y up
    std::vector<PixelRect> runs;
    for (int c = 0; c < glyph.bbx_w;) {
      if (!glyph.rows[size_t(row)][size_t(c)]) {
        ++c;
        continue;
      }
      int e = c;
      while (e < glyph.bbx_w && glyph.rows[size_t(row)][size_t(e)]) ++e;
      runs.push_back({glyph.bbx_x + c, y, glyph.bbx_x + e, y + 1});
      c = e;
    }
    std::vector<PixelRect> next;
    for (PixelRect& run : runs) {
      auto it =
          std::find_if(open.begin(), open.end(), [&](const PixelRect& o) { return o.x0 == run.x0 && o.x1 == run.x1; });
      if (it != open.end()) {
        PixelRect grown = *it;
        grown.y0 = run.y0;
        next.push_back(grown);
        open.erase(it);
      } else {
        next.push_back(run);
      }
    }
    done.insert(done.end(), open.begin(), open.end());
    open = std::move(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  std::sort(done.begin(), done.end(),
            [](const PixelRect& a, const PixelRect& b) { return a.y1 != b.y1 ? a.y1 > b.y1 : a.x0 < b.x0; });
  return done;
}

std::vector<uint8_t> BuildTrueType(const BdfFont& font, std::string& error) {
  const int upm = font.pixel_size * kUnitsPerPixel;
  const int ascent = font.ascent * kUnitsPerPixel, descent = font.descent * kUnitsPerPixel;

  // Glyph 0 is .notdef (a hollow box), then every encoded glyph of the BMP in code order.
  std::vector<GlyphOut> glyphs;
  std::vector<std::pair<int, int>> cmap;
  {
    BdfGlyph notdef;
    notdef.bbx_w = std::max(3, font.pixel_size / 2 - 1);
    notdef.bbx_h = std::max(3, font.ascent - 1);
    notdef.bbx_x = 0;
    notdef.bbx_y = 0;
    notdef.rows.assign(size_t(notdef.bbx_h), std::vector<bool>(size_t(notdef.bbx_w), false));
    for (int r = 0; r < notdef.bbx_h; ++r)
      for (int c = 0; c < notdef.bbx_w; ++c)
        notdef.rows[size_t(r)][size_t(c)] = r == 0 || c == 0 || r == notdef.bbx_h - 1 || c == notdef.bbx_w - 1;
    glyphs.push_back(EncodeGlyph(&notdef, notdef.bbx_w + 1));
  }
  for (const auto& [code, g] : font.glyphs) {
    if (code < 0 || code > 0xFFFE) continue;
    cmap.emplace_back(code, int(glyphs.size()));
    glyphs.push_back(EncodeGlyph(&g, g.advance));
  }
  if (glyphs.size() > 65535) {
    error = "too many glyphs";
    return {};
  }
  const int num_glyphs = int(glyphs.size());

  int xmin = INT_MAX, ymin = INT_MAX, xmax = INT_MIN, ymax = INT_MIN;
  int adv_max = 0, min_lsb = INT_MAX, min_rsb = INT_MAX, max_extent = INT_MIN, max_points = 0, max_contours = 0;
  long adv_sum = 0;
  for (const GlyphOut& g : glyphs) {
    adv_max = std::max(adv_max, g.advance);
    adv_sum += g.advance;
    if (g.glyf.empty()) continue;
    xmin = std::min(xmin, g.xmin);
    ymin = std::min(ymin, g.ymin);
    xmax = std::max(xmax, g.xmax);
    ymax = std::max(ymax, g.ymax);
    min_lsb = std::min(min_lsb, g.xmin);
    min_rsb = std::min(min_rsb, g.advance - g.xmax);
    max_extent = std::max(max_extent, g.xmax);
    max_points = std::max(max_points, g.points);
    max_contours = std::max(max_contours, g.contours);
  }

  // glyf and loca (long offsets).
  Bytes glyf, loca;
  for (const GlyphOut& g : glyphs) {
    loca.U32(uint32_t(glyf.Size()));
    glyf.Append(g.glyf);
  }
  loca.U32(uint32_t(glyf.Size()));

  Bytes head;
  head.U32(0x00010000);
  head.U32(0x00010000);  // fontRevision 1.0
  head.U32(0);           // checkSumAdjustment, filled in last
  head.U32(0x5F0F3CF5);
  head.U16(0x000B);  // baseline at y=0, lsb at x=0, integer ppem
  head.U16(upm);
  head.U64(0);  // created: fixed, for reproducible bytes
  head.U64(0);  // modified
  head.S16(xmin);
  head.S16(ymin);
  head.S16(xmax);
  head.S16(ymax);
  head.U16(0);                // macStyle
  head.U16(font.pixel_size);  // lowestRecPPEM
  head.S16(2);                // fontDirectionHint
  head.S16(1);                // long loca
  head.S16(0);

  Bytes hhea;
  hhea.U32(0x00010000);
  hhea.S16(ascent);
  hhea.S16(-descent);
  hhea.S16(0);
  hhea.U16(adv_max);
  hhea.S16(min_lsb);
  hhea.S16(min_rsb);
  hhea.S16(max_extent);
  hhea.S16(1);
  hhea.S16(0);
  hhea.S16(0);
  for (int i = 0; i < 4; ++i) hhea.S16(0);
  hhea.S16(0);
  hhea.U16(num_glyphs);

  Bytes maxp;
  maxp.U32(0x00010000);
  maxp.U16(num_glyphs);
  maxp.U16(max_points);
  maxp.U16(max_contours);
  maxp.U16(0);
  maxp.U16(0);
  maxp.U16(2);                              // maxZones
  for (int i = 0; i < 8; ++i) maxp.U16(0);  // no hinting: no twilight, storage, functions, stack

  Bytes hmtx;
  for (const GlyphOut& g : glyphs) {
    hmtx.U16(g.advance);
    hmtx.S16(g.glyf.empty() ? 0 : g.xmin);
  }

  const int first_code = cmap.empty() ? 0 : cmap.front().first;
  const int last_code = cmap.empty() ? 0 : cmap.back().first;
  Bytes os2;
  os2.U16(4);
  os2.S16(int(adv_sum / num_glyphs));
  os2.U16(400);  // regular weight
  os2.U16(5);    // medium width
  os2.U16(0);    // installable embedding
  const int sub = upm * 7 / 10, off = upm * 14 / 100;
  os2.S16(sub);
  os2.S16(sub);
  os2.S16(0);
  os2.S16(off);
  os2.S16(sub);
  os2.S16(sub);
  os2.S16(0);
  os2.S16(upm * 35 / 100);
  os2.S16(kUnitsPerPixel);  // strikeout size: one pixel
  os2.S16((font.x_height > 0 ? font.x_height / 2 : font.ascent / 3) * kUnitsPerPixel);
  os2.S16(0);                              // family class
  for (int i = 0; i < 10; ++i) os2.U8(0);  // panose
  os2.U32(1);                              // Basic Latin
  os2.U32(0);
  os2.U32(0);
  os2.U32(0);
  os2.Tag("SKWM");
  os2.U16(0x0040);  // regular
  os2.U16(std::min(first_code, 0xFFFF));
  os2.U16(std::min(last_code, 0xFFFF));
  os2.S16(ascent);
  os2.S16(-descent);
  os2.S16(0);
  os2.U16(ascent);
  os2.U16(descent);
  os2.U32(1);  // Latin 1 code page
  os2.U32(0);
  os2.S16(font.x_height * kUnitsPerPixel);
  os2.S16(font.cap_height * kUnitsPerPixel);
  os2.U16(0);
  os2.U16(32);
  os2.U16(1);

  Bytes post;
  post.U32(0x00030000);
  post.U32(0);  // italic angle
  post.S16(-kUnitsPerPixel);
  post.S16(kUnitsPerPixel);
  post.U32(0);  // proportional
  post.U32(0);
  post.U32(0);
  post.U32(0);
  post.U32(0);

  // Tables in tag order, as the directory must list them.
  std::map<std::string, std::vector<uint8_t>> tables = {
      {"OS/2", os2.Data()},      {"cmap", CmapTable(cmap)}, {"glyf", glyf.Data()}, {"head", head.Data()},
      {"hhea", hhea.Data()},     {"hmtx", hmtx.Data()},     {"loca", loca.Data()}, {"maxp", maxp.Data()},
      {"name", NameTable(font)}, {"post", post.Data()},
  };
  const int n = int(tables.size());
  int search = 1, selector = 0;
  while (search * 2 <= n) {
    search *= 2;
    ++selector;
  }
  Bytes out;
  out.U32(0x00010000);
  out.U16(n);
  out.U16(search * 16);
  out.U16(selector);
  out.U16(n * 16 - search * 16);
  size_t offset = 12 + 16 * size_t(n);
  size_t head_offset = 0;
  for (const auto& [tag, data] : tables) {
    out.Tag(tag.c_str());
    out.U32(Checksum(data, 0, data.size()));
    out.U32(uint32_t(offset));
    out.U32(uint32_t(data.size()));
    if (tag == "head") head_offset = offset;
    offset += (data.size() + 3) & ~size_t(3);
  }
  for (const auto& [tag, data] : tables) {
    out.Append(data);
    out.PadTo4();
  }
  std::vector<uint8_t>& bytes = out.Data();
  const uint32_t adjust = 0xB1B0AFBAu - Checksum(bytes, 0, bytes.size());
  for (int i = 0; i < 4; ++i) bytes[head_offset + 8 + size_t(i)] = uint8_t(adjust >> (24 - 8 * i));
  return bytes;
}

}  // namespace forge
