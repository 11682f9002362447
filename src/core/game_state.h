#pragma once
// The globals every part of the game shares: play state, lists and singletons.
// They are declared here and defined in game_state.cpp in their creation order.
#include <cstdint>

#include "core/object_list.h"

// Play states.
constexpr uint8_t STATE_ENTERING = 1;
constexpr uint8_t STATE_PLAYING = 2;
constexpr uint8_t STATE_PAUSED = 3;
constexpr uint8_t STATE_NEXTWAVE = 4;
constexpr uint8_t STATE_CLEARED = 5;
constexpr uint8_t STATE_GAMEOVER = 6;
constexpr uint8_t STATE_ENDED = 99;

// Menu screens.
constexpr uint8_t MENU_MAIN = 1, MENU_OPTIONS = 2, MENU_HIGHSCORES = 3, MENU_STATISTICS = 4, MENU_HELP = 5,
                  MENU_CREDITS = 6, MENU_INGAME = 99;

// The program's version comes from the build (the project's version).
constexpr const char* kGameVersion = SKITTERWORM_VERSION;
constexpr const char* kWindowTitle = "Skitterworm " SKITTERWORM_VERSION;
// The first line of every data file: the format's version, which stays as it
// is whatever the program's version, so older files keep loading.
constexpr const char* kDataFileVersion = "1.2.0";

// The stage's letter: stage 1 is A; the byte wraps, so stage 256 is shown as "@".
constexpr char StageLetter(uint8_t stage) { return char(64 + stage); }

// The logical screen every position is given in; the platform scales it to the display.
constexpr int kScreenWidth = 320, kScreenHeight = 240;

// Game-state values.
extern uint8_t gameState;
extern int32_t stateTimer;
extern uint8_t quitGame;
extern int64_t timeNow;
extern int64_t waveStartTime;
extern float waveSeconds;
extern float hurryTime;
extern int64_t pauseStart;
extern int64_t pauseLength;
extern float mushroomMultiplier;
extern int32_t snailTimer, spiderTimer, saucerTimer;
extern uint8_t joyButtons[2];  // 0: fire held, 1: item pressed, this frame
extern uint8_t menuScreen;
extern int32_t polledKey;

// Objects in the global lists (each type has its own header).
class TScores;
class TOptionSet;
class TClickableText;
class TLogoLetter;
class TCreditsItem;
class TEnemy;
class TStar;
class TMenuParticle;
class TParticle;
class TPowerup;
class TExplosion;
class TMissile;
class TMissileVolley;
class TRailblast;
class TWardenBullet;

extern ObjectList<TScores> lstOnlineScores;
extern ObjectList<TOptionSet> lstOptionSets;
extern ObjectList<TClickableText> lstClickables;
extern ObjectList<TLogoLetter> lstLogoLetters;
extern ObjectList<TCreditsItem> lstCreditsItems;
extern ObjectList<TEnemy> lstEnemies;  // chain parts, spiders, snails, saucers, wardens
extern ObjectList<TStar> lstStars;
extern ObjectList<TMenuParticle> lstMenuParticles;
extern ObjectList<TParticle> lstParticles;
extern ObjectList<TPowerup> lstPowerups;
extern ObjectList<TExplosion> lstExplosions;
extern ObjectList<TMissile> lstMissiles;
extern ObjectList<TMissileVolley> lstMissileVolleys;
extern ObjectList<TRailblast> lstRailblasts;
extern ObjectList<TWardenBullet> lstWardenBullets;

// Singletons.
class TPlayfield;
class TPlayer;
class TBullet;
class Timer;
struct ImageFont;
class TMouse;
class TJoyCheck;
class TFader;
class TSine;
class TCosine;
class TRainbowPhaser;
class TRadar;
class TSmartBomb;
class THurryUp;
class TConfig;
class TOnlineHighscores;
class THighscores;
class TStatsStage;
class TStatsGame;
class TStatsLife;
class AudioSystem;
class TFMod;
class TMusic;
class TSfx;

extern TPlayfield playfield;
extern TPlayer player;
extern TBullet bullet;
extern Timer gameTimer;
extern ImageFont* fntMain;   // "fonts/cweb.ttf", 13 px
extern ImageFont* fntSmall;  // "fonts/uni 05_53.ttf", 8 px
extern TMouse mouse;
extern TJoyCheck joycheck;
extern TFader fadeScene;
extern TFader fadeText;
extern TSine sine;
extern TCosine cosine;
extern TRainbowPhaser rainbow;
extern TRainbowPhaser rainbowFast;
extern TRadar radar;
extern TSmartBomb smartbomb;
extern THurryUp hurryup;
extern TConfig config;
extern TOnlineHighscores onlineScores;
extern THighscores highscores;
extern TStatsStage statsStage;
extern TStatsGame statsGame;
extern TStatsLife statsLife;
extern AudioSystem fmodSystem;  // the mixer every sound and tune plays through
// Audio start-up state (called fmod in older code; renamed so it cannot clash
// with the C library function of that name).
extern TFMod fmodState;
extern TMusic music;
extern TSfx sfx;
