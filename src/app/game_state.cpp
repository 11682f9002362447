#include "core/game_state.h"

#include "audio/audio_startup.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "core/fader.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "frontend/star.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "platform/clock.h"
#include "player/bullet.h"
#include "player/explosion.h"
#include "player/missile.h"
#include "player/particle.h"
#include "player/player.h"
#include "player/powerup.h"
#include "player/radar.h"
#include "player/railblast.h"
#include "player/smart_bomb.h"
#include "player/statistics.h"
#include "world/enemy.h"
#include "world/hurry_up.h"
#include "world/playfield.h"
#include "world/skitterworm.h"
#include "world/warden.h"

// Definitions in creation order; each subsystem adds its own here as it lands.
uint8_t gameState = 0;
int32_t stateTimer = 0;
uint8_t quitGame = 0;
int64_t timeNow = 0;
int64_t waveStartTime = 0;
float waveSeconds = 0;
float hurryTime = 0;
int64_t pauseStart = 0;
int64_t pauseLength = 0;
float mushroomMultiplier = 1;
int32_t snailTimer = 0, spiderTimer = 0, saucerTimer = 0;
uint8_t joyButtons[2] = {0, 0};
uint8_t menuScreen = MENU_MAIN;
int32_t polledKey = 0;

ObjectList<TScores> lstOnlineScores;
ObjectList<TEnemy> lstEnemies;
ObjectList<TStar> lstStars;
// The pool is defined before its list, so the list hands its particles back
// before the pool goes at exit.
Pool<TParticle> particlePool(4096);
ObjectList<TParticle> lstParticles(ReleaseParticle);
ObjectList<TPowerup> lstPowerups;
ObjectList<TExplosion> lstExplosions;
ObjectList<TMissile> lstMissiles;
ObjectList<TMissileVolley> lstMissileVolleys;
ObjectList<TRailblast> lstRailblasts;
ObjectList<TWardenBullet> lstWardenBullets;

// Shared chain state, reset by the game flow.
float chainSpeed = 1.0f;
uint8_t chainBottomReached = 0;
uint16_t chainReinforceTimer = 0;

TPlayfield playfield;
TPlayer player;
TBullet bullet;

Timer gameTimer(60);
ImageFont* fntMain = nullptr;
ImageFont* fntSmall = nullptr;
TMouse mouse;
TFader fadeScene;
TFader fadeText;
TSine sine;
TCosine cosine;
TRainbowPhaser rainbow;
TRainbowPhaser rainbowFast;
TRadar radar;
TSmartBomb smartbomb;
THurryUp hurryup;
TConfig config;
TOnlineHighscores onlineScores;
THighscores highscores;
TStatsStage statsStage;
TStatsGame statsGame;
TStatsLife statsLife;
AudioSystem fmodSystem;
TFMod fmodState;
TMusic music;
TSfx sfx;
