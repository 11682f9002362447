#include "frontend/credits.h"

#include <cmath>
#include <map>
#include <string>

#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "frontend/frontend.h"
#include "frontend/menu.h"
#include "frontend/menu_state.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/paths.h"

namespace {

// A picture is loaded the first time the credits open and kept for later
// runs of them, so watching them twice does not fill the texture atlas.
Image* CreditsImage(std::string_view path) {
  static std::map<std::string, Image*, std::less<>> loaded;
  auto found = loaded.find(path);
  if (found != loaded.end()) return found->second;
  Image* image = LoadImage(AssetPath(std::string(path)));
  loaded.emplace(path, image);
  return image;
}

struct Row {
  uint16_t frame;
  const char* text;  // text, or the picture's path
  const char* colour;
  bool image = false;
  int32_t x = 160, y = 240;
  uint8_t align = 2;
};

// The credits, in order of appearance. Everything here was made by the
// Skitterworm team with free tools, on top of the libraries named below.
constexpr Row kTimeline[] = {
    {0, "graphics/credits-logo-skitterworm.png", "FFFFFF", true},
    {125, "Bugs to the left of you, bugs to the right", "99FFFF"},
    {175, "v" SKITTERWORM_VERSION " - released December 2026", "999999"},
    {300, "graphics/credits-shroomsnail1.png", "FFFFFF", true},
    {500, "Game Design, Coding and Artwork", "6699FF"},
    {575, "The Skitterworm team", "3366FF"},
    {800, "graphics/credits-playerspiders.png", "FFFFFF", true, 300, 240, 1},
    {850, "Additional Coding", "00FF00"},
    {925, "The platform crew", "66FF66"},
    {960, "SDL2 and OpenGL drawing layer", "006600"},
    {1025, "The scoreboard crew", "66FF66"},
    {1060, "Online highscores", "006600"},
    {1125, "The packaging crew", "66FF66"},
    // The game has no title-bar icon to tweak; its desktop icon is credited instead.
    {1160, "Desktop icon and menu entry", "006600"},
    {1435, "Mac Porting", "FF6600"},
    {1510, "Nobody yet - Linux only for now!", "FFCC66"},
    {1530, "graphics/credits-saucerpoison.png", "FFFFFF", true, 15, 240, 0},
    {1785, "Sound", "FF0000"},
    {1860, "Xiph.Org, the OpenMPT team and SDL", "FF6666"},
    // The game plays its sound through these, not through the library the
    // original row named.
    {1895, "Ogg Vorbis, libopenmpt and SDL2 audio", "660000"},
    {1950, "graphics/credits-shroomsnail2.png", "FFFFFF", true, 290, 240, 1},
    {1960, "Effects synthesised from recipes", "FF6666"},
    {1995, "assetforge, our own synthesizer", "660000"},
    {2060, "Mixed live on 32 channels", "FF6666"},
    {2335, "Music", "66FFFF"},
    {2410, "Menu theme - the Skitterworm team", "009999"},
    {2485, "Highscore tune - the Skitterworm team", "009999"},
    {2560, "Four in-game tracks - the Skitterworm team", "009999"},
    {2635, "Written as note data in plain text", "009999"},
    {2710, "and turned into XM and MOD modules", "009999"},
    {2785, "by our own module writer", "009999"},
    {2985, "...and, of course, thanks to -you- for playing the game!", "CCCCCC"},
    {3135, "graphics/credits-skitterworms.png", "FFFFFF", true},
    {3260, "Greetings go out to...", "FFFFFF"},
    {3410, "The SDL2 developers", "FF0099"},
    {3560, "The Mesa and OpenGL people", "FF0000"},
    {3710, "The libpng and zlib authors", "FF9900"},
    {3860, "The FreeType project", "FFFF00"},
    {4010, "Xiph.Org for Ogg Vorbis", "99FF00"},
    {4080, "The OpenMPT team for libopenmpt", "66CC00"},
    {4230, "The makers of our build and test tools:", "00FF00"},
    {4300, "GoogleTest", "009900"},
    {4370, "Google Benchmark", "009900"},
    {4440, "CMake", "009900"},
    {4510, "Ninja", "009900"},
    {4580, "GCC", "009900"},
    {4650, "ccache", "009900"},
    {4720, "Xvfb", "009900"},
    {4790, "xdotool", "009900"},
    {4940, "Our scoreboard server stands on", "0099FF"},
    {5010, "PHP and SQLite", "0066CC"},
    {5080, "Debian", "003399"},
    {5150, "clang-format", "003399"},
    {5220, "AddressSanitizer", "003399"},
    {5290, "UndefinedBehaviorSanitizer", "003399"},
    {5360, "X.Org", "003399"},
    {5430, "Git", "003399"},
    {5580, "...and every play-tester out there", "CCCCCC"},
    {5650, "Fast flying, happy hunting!", "999999"},
    {5900, "Lastly, a big 24/7 'Hey!' to everyone I've missed...", "FFCC99"},
    {6050, "...which hopefully won't be that many after all this :)", "FFCC99"},
    {6350, "graphics/splash-logo-brixo.png", "FFCC99", true},
    {6720, "a Brixo Games production", "CCCCCC"},
    {6790, "2026", "999999"},
    {6960, "brixogames.example.org", "CCCCCC"},
    {7010, "'Retro forever!'", "999999"},
    {7150, "graphics/splash-logo-kiln.png", "FFFFFF", true, 160, 280, 3},
    {7525, "kilnware.example.org", "CCCCCC"},
    {7650, "graphics/credits-fmodbanner.png", "FFFFFF", true, 160, 280, 3},
    {7940, "libsdl.org - xiph.org - lib.openmpt.org", "CCCCCC"},
    {8500, "graphics/kersplode.png", "FFFFFF", true, 160, 280, 2},
    {8700, "T h e     E n d", "999999"},
};

}  // namespace

TCreditsItem* TCreditsItem::Create(int32_t x, int32_t y, std::string_view txt, std::string_view clr, uint8_t align,
                                   float vel, float s, uint8_t isImage) {
  TCreditsItem* item = creditsItemPool.Create();
  item->x = float(x);
  item->y = float(y);
  item->txt = txt;
  item->clr = clr;
  item->align = align;
  item->vel = vel;
  item->s = s;
  if (isImage) item->img = CreditsImage(txt);
  lstCreditsItems.Add(item);
  return item;
}

void TCreditsItem::Die() { lstCreditsItems.Remove(this); }

void TCreditsItem::Update() {
  y -= vel;
  if (y < -256) Die();
}

void TCreditsItem::Draw() const {
  SetScale(s, s);
  if (img) {
    SetColor(255, 255, 255);
    const float w = float(ImageWidth(img));
    float left = x;
    if (align == 1) left = x - w;
    if (align == 2 || align == 3) left = x - float(ImageWidth(img) / 2);
    const float top = align == 3 ? y - float(ImageHeight(img) / 2) : y;
    DrawImage(img, left, top);
  } else if (align <= 2) {
    // A picture that could not be loaded shows its path instead.
    SetReadableColorHex(clr);
    const int32_t w = TextWidth(txt);
    const float left = align == 0 ? x : align == 1 ? x - float(w) : x - float(w / 2);
    // Rows rise by fractions of a pixel; they are drawn on whole picture pixels.
    DrawText(txt, std::floor(left * DrawScale()) / DrawScale(), std::floor(y * DrawScale()) / DrawScale());
  }
  SetScale(1, 1);
}

void CreditsStep() {
  lstCreditsItems.ForEach([](TCreditsItem* item) { item->Update(); });
  for (const Row& row : kTimeline) {
    if (row.frame != creditsClock) continue;
    const float vel = row.frame < 3000 ? 0.25f : 0.175f;
    TCreditsItem::Create(row.x, row.y, row.text, row.colour, row.align, vel, 1.0f, row.image ? 1 : 0);
  }
  if (creditsClock == kCreditsEnd) MenuBack();
  ++creditsClock;
}

void CreditsDraw() {
  SetImageFont(fntSmall);
  lstCreditsItems.ForEach([](const TCreditsItem* item) { item->Draw(); });
  SetBlend(Blend::kAlpha);
  SetAlpha(1.0f);
  DrawImage(gfx.menu_fademask, 0, 0);
  SetBlend(Blend::kLight);
}

void StartCredits() {
  RemoveCreditsItems();
  creditsClock = 0;
  for (const Row& row : kTimeline)
    if (row.image) CreditsImage(row.text);
}

void RemoveCreditsItems() { lstCreditsItems.Clear(); }

void ReleaseCreditsItem(TCreditsItem* item) { creditsItemPool.Release(item); }
