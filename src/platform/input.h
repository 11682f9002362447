#pragma once
#include <cstdint>

// Polled input in the game's virtual-key codes (37 = cursor left, 160..165 =
// left/right Shift, Ctrl, Alt...). Events arrive through PollSystem, once per
// frame. A key or button pressed and released between two polls reads as held
// for the one frame after the poll that brought both.
void PollSystem();

int KeyHit(int code);  // presses since the last call for that key; clears the count
bool KeyDown(int code);
int GetChar();  // next typed character, 0 when none
void FlushKeys();

// The pointer in the 320x240 picture the game draws in, at any display scale.
int MouseX();
int MouseY();
int MouseZ();
bool MouseDown(int button);  // 1 left, 2 right, 3 middle
int MouseHit(int button);
// Puts the pointer there (picture coordinates, as MouseX); the system pointer moves only while the window is active.
void MoveMouse(int x, int y);
// Shows or hides the system pointer over the window (HidePointer and
// ShowPointer); while the window is in the background it always shows.
void WantPointer(bool visible);
// While the game steers by the pointer it holds it inside the window. Where the
// desktop lets a program put the pointer (X), MoveMouse already does; where it
// does not (Wayland), the pointer is locked to the window and its motion read.
void HoldPointer(bool held);
void FlushMouse();

int JoyCount();
bool JoyConnected(int port);
// Forgets every pad's button presses so far (held buttons stay held).
void FlushJoys();
float JoyX(int port);
float JoyY(int port);
int JoyHit(int button, int port);
bool JoyDown(int button, int port);
// What the pad in the port has written on a face button (0..3): "A", "B", "X",
// "Y", or the PlayStation's "Cross", "Circle", "Square", "Triangle".
const char* JoyButtonName(int button, int port);

// True once after the player asked to close the window.
bool AppTerminate();
// False while the window has lost the input focus or is minimised.
bool WindowActive();

// Virtual-key codes of the fixed keys.
namespace vk {
constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kControl = 17, kAlt = 18;
constexpr int kEscape = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kP = 80, kF1 = 112, kF4 = 115, kF5 = 116, kF12 = 123;
constexpr int kLShift = 160, kRShift = 161, kLControl = 162, kRControl = 163, kLAlt = 164, kRAlt = 165;
}  // namespace vk

// The shared input state, for backends and tests that script input.
struct InputState;
InputState& Input();
