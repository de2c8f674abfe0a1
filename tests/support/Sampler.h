#pragma once

#include "stage/Stage.h"
#include "stage/Window.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tolvane::testing {

constexpr int px = 15; // twips in a pixel

// A window of every kind of sprite laid out in a 40 x 20 pixel client area, for the painter
// and the desktop to draw and route. Its picture is "test/quad" (2 x 2) on a blue background.
class Sampler final : public Window {
public:
    explicit Sampler(Stage& stage, std::string_view name = "Sampler")
        : Window(stage,
            { .name = name,
                .caption = "Sampler window",
                .client_width = 40 * px,
                .client_height = 20 * px,
                .BackColor = 0x00FF0000,
                .picture = "test/quad" })
    {
        store({ &shpSolid, &lblBack, &shpHollow, &shpOpaque, &imgStretch, &imgNatural, &imgHidden, &imgUnder, &cmdGo });
        on_click(cmdGo, &Sampler::cmdGo_Click);
        on_click(imgStretch, &Sampler::imgStretch_Click);
    }

    // Red inside a black border, over the label stored after it.
    Shape shpSolid {
        { .name = "shpSolid", .bounds = { 0, 10 * px, 10 * px, 10 * px }, .FillColor = 0x000000FF, .FillStyle = 0 }
    };
    Label lblBack { { .name = "lblBack", .bounds = { 5 * px, 10 * px, 10 * px, 10 * px }, .BackColor = 0x0000FF00 } };
    Shape shpHollow { { .name = "shpHollow",
        .bounds = { 15 * px, 0, 10 * px, 10 * px },
        .BorderColor = 0x00FFFFFF,
        .border_width = 2 } };
    Shape shpOpaque { { .name = "shpOpaque",
        .bounds = { 15 * px, 10 * px, 10 * px, 10 * px },
        .BackColor = 0x00808080,
        .opaque = true,
        .border_width = 0 } };
    Image imgStretch { { .name = "imgStretch", .bounds = { 25 * px, 0, 4 * px, 4 * px }, .picture = "test/quad" } };
    Image imgNatural { { .name = "imgNatural",
        .bounds = { 25 * px, 10 * px, 9 * px, 9 * px },
        .picture = "test/quad",
        .stretch = false } };
    Image imgHidden {
        { .name = "imgHidden", .bounds = { 0, 0, 10 * px, 10 * px }, .picture = "test/red", .visible = false }
    };
    Image imgUnder { { .name = "imgUnder", .bounds = { 30 * px, 0, 10 * px, 10 * px }, .picture = "test/red" } };
    CommandButton cmdGo {
        { .name = "cmdGo", .bounds = { 30 * px, 0, 10 * px, 10 * px }, .style = 1, .BackColor = 0x0000FFFF }
    };

    Timer Timer1 { *this, { .interval = 0, .enabled = false } };

    int clicks = 0;
    int picture_clicks = 0;
    std::vector<int> keys;
    std::vector<int> mouse; // the buttons pressed (positive) and released (negative) on the window itself

    void Form_KeyDown(std::int16_t KeyCode, std::int16_t) override { keys.push_back(KeyCode); }
    void Form_MouseDown(std::int16_t Button, std::int16_t, float, float) override { mouse.push_back(Button); }
    void Form_MouseUp(std::int16_t Button, std::int16_t, float, float) override { mouse.push_back(-Button); }

private:
    void cmdGo_Click() { ++clicks; }
    void imgStretch_Click() { ++picture_clicks; }
};

} // namespace tolvane::testing
