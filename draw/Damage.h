#pragma once

#include "draw/Painter.h"
#include "draw/PixelRect.h"
#include "stage/Window.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// Which parts of a window need painting again. It remembers how each sprite looked when the
// window was last painted and compares, so only moved or changed sprites cost a repaint: the
// place a sprite left and the place it went to.
class Damage {
public:
    // The areas that changed since the last call, merged where they touch; the whole client
    // area the first time and after `forget`.
    std::vector<PixelRect> collect(Window const& window, Painter const& painter, ButtonLook look);
    void forget() { m_looks.reset(); }

private:
    struct Look {
        bool visible = false;
        PixelRect area;
        std::string caption;
        float font_size = 0;
        Colour fore = 0;
        Colour back = 0;
        bool focused = false;
        bool pressed = false;

        bool operator==(Look const&) const = default;
    };
    static Look look_of(Sprite const& sprite, Painter const& painter, ButtonLook look);
    static void merge(std::vector<PixelRect>& areas);
    static std::size_t merge_backwards(std::vector<PixelRect>& areas, std::size_t i);

    std::optional<std::vector<Look>> m_looks;
    std::uint64_t m_revision = 0;
    ButtonLook m_button_look;
};

} // namespace tolvane
