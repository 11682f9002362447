#include "core/images.h"

#include "core/fonts.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/paths.h"

// Process-wide: the images are loaded once per run.
GameImages gfx;

namespace {

Image* Single(const char* path) { return LoadImage(AssetPath(path)); }

Image* Cells(const char* path, int w, int h, int count) { return LoadAnimImage(AssetPath(path), w, h, 0, count); }

Image* WithHandle(Image* image, float x, float y) {
  SetImageHandle(image, x, y);
  return image;
}

Image* Centred(Image* image) {
  MidHandleImage(image);
  return image;
}

}  // namespace

void LoadGameImages() {
  gfx.menu_fademask = Single("graphics/menu-fademask.png");
  gfx.logo_refmask = Single("graphics/logo-refmask.png");
  gfx.logo_letters = Cells("graphics/logo-letters.png", 16, 16, 9);  // S K I T E R W O M
  gfx.help_powerups = Single("graphics/help-powerups.png");
  // A row a cell: the help moves the rows down where the player's keys need more than one line.
  gfx.help_controls = Cells("graphics/help-controls.png", 114, 9, 6);
  gfx.bonus_scores = Cells("graphics/bonus-scores.png", 16, 8, 8);
  gfx.skitterworm = Cells("graphics/skitterworm.png", 8, 8, 2);
  gfx.snail = Cells("graphics/snail.png", 8, 8, 3);
  gfx.shroom = Cells("graphics/shroom.png", 8, 8, 32);
  gfx.shroom_poison = Cells("graphics/shroompoison.png", 16, 16, 32);
  gfx.shroom_spots = Cells("graphics/shroomspots.png", 8, 8, 32);
  gfx.saucer = Cells("graphics/saucer.png", 8, 8, 7);
  gfx.saucer_glow = Cells("graphics/saucerglow.png", 8, 8, 7);
  gfx.warden = Centred(Single("graphics/warden.png"));
  gfx.warden_inner = Centred(Single("graphics/warden-inner.png"));
  gfx.warden_glow = Centred(Single("graphics/warden-glow.png"));
  gfx.warden_alarms = Centred(Cells("graphics/warden-alarms.png", 9, 9, 2));
  gfx.warden_bullet = Centred(Single("graphics/warden-bullet.png"));
  gfx.bullet = Cells("graphics/bullet.png", 4, 8, 4);
  gfx.freeaction_warn = Cells("graphics/freeaction-warn.png", 8, 8, 2);
  gfx.powerup = Cells("graphics/powerup.png", 8, 8, 16);
  gfx.powerup_spin = Centred(Single("graphics/powerup-spin.png"));
  gfx.spider = Single("graphics/spider.png");
  gfx.splat = Single("graphics/splat.png");
  gfx.screenshot_icon = Single("graphics/screenshot-icon.png");
  gfx.cfire_icon_on = Single("graphics/cfire-icon-on.png");
  gfx.cfire_icon_off = Single("graphics/cfire-icon-off.png");
  gfx.player = Single("graphics/player.png");
  gfx.shield = Single("graphics/shield.png");
  gfx.gameinfo_bgd = Single("graphics/gameinfo-bgd.png");
  gfx.hud_bgd = Single("graphics/hud-bgd.png");
  gfx.railblast = Single("graphics/railblast.png");
  gfx.raildrone_flash = WithHandle(Single("graphics/raildrone-flash.png"), 7, 3);
  gfx.scattermine = Cells("graphics/scattermine.png", 8, 8, 2);
  gfx.scattermine_appear = Single("graphics/scattermine-appear.png");
  gfx.scattermine_explode = Single("graphics/scattermine-explode.png");
  gfx.missile = WithHandle(Single("graphics/missile.png"), 1, 0);
  gfx.radar_post = Single("graphics/radar-post.png");
  gfx.radar_blink = Single("graphics/radar-blink.png");
  gfx.radar_detect = Single("graphics/radar-detect.png");
  gfx.kersplode = WithHandle(Single("graphics/kersplode.png"), 80, 0);
  gfx.particle[1] = WithHandle(Single("graphics/particle1.png"), 1, 1);
  gfx.particle[2] = Single("graphics/particle2.png");
  gfx.particle[3] = WithHandle(Single("graphics/particle3.png"), 2, 2);
  gfx.particle[4] = Single("graphics/particle4.png");
  gfx.particle[5] = WithHandle(Single("graphics/particle5.png"), 1, 1);
  gfx.particle[6] = WithHandle(Single("graphics/particle6.png"), 3, 3);
  gfx.particle[7] = Single("graphics/particle7.png");
  gfx.particle[8] = WithHandle(Single("graphics/particle8.png"), 15, 15);
  gfx.particle[9] = WithHandle(Single("graphics/particle9.png"), 7, 7);
  gfx.pointer = WithHandle(Single("graphics/pointer.png"), 3, 3);
}

void SetCreatureHandlesCentred(bool centred) {
  for (Image* image : {gfx.shroom, gfx.spider, gfx.saucer, gfx.snail}) {
    if (centred)
      MidHandleImage(image);
    else
      SetImageHandle(image, 0, 0);
  }
}

void LoadAssets() {
  fntMain = LoadImageFont(AssetPath("fonts/cweb.ttf"), 13, 0);
  fntSmall = LoadImageFont(AssetPath("fonts/uni 05_53.ttf"), 8, 0);
  SetAutoImageFlags(kMaskedImage);
  SetMaskColor(255, 0, 255);
  LoadGameImages();
}
