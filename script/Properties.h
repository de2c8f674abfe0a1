#pragma once

#include "script/Targets.h"

#include <string>
#include <string_view>

// The properties of sprites and timers as scripts and `dump` see them, one row each.
namespace tolvane {

// `WINDOW.SPRITE.PROPERTY`, where the window's timer is the sprite `Timer1`; fails with a message
// for a sprite or a property that does not exist.
Target property_target(Window const& window, std::string_view sprite, std::string_view property);

// Appends `"NAME":{"kind":...,PROPERTY:VALUE,...}` for the window's timer and each of its sprites.
void append_sprites_json(std::string& json, Window const& window);

} // namespace tolvane
