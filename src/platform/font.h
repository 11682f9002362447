#pragma once
#include <string>
#include <string_view>

// Image fonts rasterised from TrueType without anti-aliasing: every glyph pixel
// is fully set or empty, so text scales up with hard edges like the sprites.
struct ImageFont;

// nullptr (and a debug-log line) when the file is missing or damaged.
ImageFont* LoadImageFont(const std::string& path, int pixel_size, int style = 0);
void SetImageFont(ImageFont* font);  // nullptr selects the built-in font
ImageFont* GetImageFont();
void DrawText(std::string_view text, float x, float y);
int TextWidth(std::string_view text);   // unscaled font pixels
int TextHeight(std::string_view text);  // the font's line height
// The longest start of text no wider than width (a name cut to its column).
std::string_view FitText(std::string_view text, int width);

// Tests follow each drawn text to the picture: the watcher sees the text and
// the picture rectangle (x0, y0, x1, y1) of each of its glyphs' ink.
struct GlyphBox {
  float x0, y0, x1, y1;
};
using TextWatcher = void (*)(std::string_view text, const GlyphBox* boxes, int count);
void WatchText(TextWatcher watcher);  // nullptr stops watching
