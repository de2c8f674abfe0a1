#pragma once

// What the page's script (page.js) does for the program: the windows on the page, their pixels and
// the notices. Window ids are the program's own, from 1, and never used twice in a page's life.
// A window's size on the page is in pixels of the design; its canvas holds `canvas_width` by
// `canvas_height` pixels over that size, and `page_put_pixels` addresses those.
extern "C" {
// `keys`: the key codes the window acts on, separated by spaces, which the page offers on the
// screen to a player without a keyboard.
void page_open_window(int id, char const* name, char const* caption, int width, int height, int canvas_width,
    int canvas_height, bool self_placed, int client_left, int client_top, char const* keys);
// The screen's pixels for each pixel of the design: the browser's density, times the scale at
// which the page draws the whole desktop to fit a narrow screen.
double page_density();
void page_close_window(int id);
void page_show_window(int id);
void page_hide_window(int id);
void page_raise_window(int id);
void page_resize_window(int id, int width, int height, int canvas_width, int canvas_height);
// Puts `count` areas of a picture of the whole canvas on it: `rgba` holds `canvas_width` by
// `canvas_height` pixels as red, green, blue and alpha bytes, `areas` four numbers for each area
// (left, top, width, height). The page keeps its view of the picture from one call to the next.
void page_put_pixels(
    int id, unsigned char const* rgba, int canvas_width, int canvas_height, int const* areas, int count);
void page_show_paused(bool paused);
void page_show_muted(bool muted);
void page_show_ready();
void page_show_ended();
// The program stopped on a fault of its own, which `what` describes.
void page_show_failure(char const* what);

// sound.js: the player's choice of silence, kept by the browser between visits.
bool page_sound_muted_remembered();
void page_sound_remember_muted(bool muted);
}
