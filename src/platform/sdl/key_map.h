#pragma once
#include <SDL_scancode.h>

// The game speaks Windows virtual-key codes; SDL reports where a key sits on
// the keyboard (scancodes). Mapping by position keeps key bindings on the same
// physical keys whatever the keyboard layout.

// The virtual-key code of a scancode, 0 for keys the game has no code for.
// Keypad Enter gives 13 like the main Enter key.
int VirtualKeyFromScancode(SDL_Scancode scancode);

// The generic code (16 Shift, 17 Control, 18 Alt) of a left/right modifier
// code 160..165, 0 for any other code.
int GenericModifier(int virtual_key);
