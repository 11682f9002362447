// Images that are the sprite drawings of assets/graphics, as they are or
// assembled from them: creatures, ship, items, mushrooms, logo.
#include <string>

#include "recipes.h"

namespace forge {

namespace {

// Damage steps: each whole mushroom minus the bite mask of the step.
std::vector<Canvas> Mushrooms(const ForgeContext& ctx) {
  const auto& whole = ctx.sprites.Get("shroom-whole").frames;
  const auto& bites = ctx.sprites.Get("shroom-bites").frames;
  std::vector<Canvas> out;
  for (const Canvas& shroom : whole)
    for (const Canvas& bite : bites) {
      Canvas c = shroom;
      for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
          if (bite.Opaque(x, y)) c.Set(x, y, kClear);
      out.push_back(c);
    }
  return out;  // 8 styles × 4 steps: frame = damage + 4 × style
}

// Rot over poisoned mushrooms, framed like the mushrooms: each style's spots,
// less those a damage step has bitten away.
std::vector<Canvas> PoisonSpots(const ForgeContext& ctx, const std::vector<Canvas>& shrooms) {
  const auto& spots = ctx.sprites.Get("shroom-spots").frames;
  std::vector<Canvas> out;
  for (size_t f = 0; f < shrooms.size(); ++f) {
    Canvas c = spots[f / 4];
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x)
        if (!shrooms[f].Opaque(x, y)) c.Set(x, y, kClear);
    out.push_back(c);
  }
  return out;
}

// The saucer's seven frames: a pair of lights runs round the rim (row 4), one
// step per frame; the hull shows them as dark ports, the glow as bright dots.
void Saucers(const ForgeContext& ctx, std::vector<Canvas>& hulls, std::vector<Canvas>& glows) {
  const Canvas& hull = ctx.sprites.Frame("saucer-hull");
  const Canvas& dome = ctx.sprites.Frame("saucer-dome");
  const Rgba port = ctx.sprites.Colour('d');
  const Rgba lamp = ctx.sprites.Colour('W'), halo = ctx.sprites.Colour('m');
  for (int f = 0; f < 7; ++f) {
    Canvas h = hull, g = dome;
    for (int x : {f, (f + 4) % 7}) {
      h.Set(x, 4, port);
      g.Set(x, 4, lamp);
      for (int dx : {-1, 1})
        if (!g.Opaque(x + dx, 4)) g.Set(x + dx, 4, halo);
    }
    hulls.push_back(h);
    glows.push_back(g);
  }
}

// Score pop-ups: frames 0-7 show 25, 50, 75, 100, 150, 200, 300 and 500
// (the game uses 25, 50, 75, 100 and 200 in frames 0, 1, 2, 3 and 5).
std::vector<Canvas> ScorePopups(const ForgeContext& ctx) {
  const auto& digits = ctx.sprites.Get("score-digits");
  std::vector<Canvas> out;
  for (const char* value : {"25", "50", "75", "100", "150", "200", "300", "500"}) {
    const std::string text = value;
    Canvas cell(16, 8);
    const int w = int(text.size()) * (digits.width + 1) - 1;
    int x = (16 - w) / 2;
    for (char c : text) {
      cell.Draw(digits.frames[size_t(c - '0')], x, 1);
      x += digits.width + 1;
    }
    out.push_back(cell);
  }
  return out;
}

}  // namespace

void AddSpriteImages(const ForgeContext& ctx, std::vector<ImageAsset>& out) {
  out.push_back(Strip("logo-letters", Frames(ctx, "logo-letters")));
  out.push_back(Strip("bonus-scores", ScorePopups(ctx)));
  out.push_back(Strip("skitterworm", Frames(ctx, "skitterworm")));
  {
    const auto& snail = ctx.sprites.Get("snail").frames;  // right, down
    out.push_back(Strip("snail", {snail[0], snail[0].MirroredX(), snail[1]}));
  }
  {
    const std::vector<Canvas> shrooms = Mushrooms(ctx);
    out.push_back(Strip("shroom", shrooms));
    out.push_back(Strip("shroomspots", PoisonSpots(ctx, shrooms)));
  }
  {
    std::vector<Canvas> hulls, glows;
    Saucers(ctx, hulls, glows);
    out.push_back(Strip("saucer", hulls));
    out.push_back(Strip("saucerglow", glows));
  }
  out.push_back(Single("warden", ctx.sprites.Frame("warden")));
  out.push_back(Single("warden-inner", ctx.sprites.Frame("warden-inner")));
  out.push_back(Single("warden-bullet", ctx.sprites.Frame("warden-bullet")));
  out.push_back(Strip("bullet", Frames(ctx, "bullet")));
  out.push_back(Strip("freeaction-warn", Frames(ctx, "freeaction-warn")));
  out.push_back(Strip("powerup", Frames(ctx, "powerup")));
  out.push_back(Single("spider", ctx.sprites.Frame("spider")));
  out.push_back(Single("splat", ctx.sprites.Frame("splat")));
  out.push_back(Single("player", ctx.sprites.Frame("player")));
  out.push_back(Single("shield", ctx.sprites.Frame("shield")));
  out.push_back(Strip("scattermine", Frames(ctx, "scattermine")));
  out.push_back(Single("missile", ctx.sprites.Frame("missile")));
  for (const char* name :
       {"radar-post", "radar-blink", "radar-detect", "particle1", "particle4", "particle5", "particle7", "pointer"})
    out.push_back(Single(name, ctx.sprites.Frame(name)));
}

}  // namespace forge
