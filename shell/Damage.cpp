#include "shell/Damage.h"

namespace tolvane {

Damage::Look Damage::look_of(Sprite const& sprite, Painter const& painter, ButtonLook look)
{
    if (!sprite.Visible)
        return {};
    Look result;
    result.visible = true;
    result.area = painter.area(sprite);
    if (sprite.kind() == SpriteKind::Label) {
        auto const& label = static_cast<Label const&>(sprite);
        result.caption = label.Caption;
        result.font_size = label.FontSize.get();
        result.fore = label.ForeColor;
        result.back = label.BackColor;
    } else if (sprite.kind() == SpriteKind::CommandButton) {
        auto const& button = static_cast<CommandButton const&>(sprite);
        result.caption = button.Caption;
        result.focused = look.active && sprite.window() && sprite.window()->focus() == &button;
        result.pressed = look.pressed == &sprite;
    }
    return result;
}

std::vector<PixelRect> Damage::collect(Window const& window, Painter const& painter, ButtonLook look)
{
    std::vector<Sprite*> const& sprites = window.sprites();
    bool const first = !m_looks || m_looks->size() != sprites.size();
    if (!first && window.revision() == m_revision && look == m_button_look)
        return {};
    std::vector<PixelRect> areas;
    if (first) {
        m_looks.emplace(sprites.size());
        areas.push_back(
            { 0, 0, Painter::to_pixels(window.client_width()), Painter::to_pixels(window.client_height()) });
    }
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        Look now = look_of(*sprites[i], painter, look);
        Look& before = (*m_looks)[i];
        if (now == before)
            continue;
        if (before.visible)
            areas.push_back(before.area);
        if (now.visible)
            areas.push_back(now.area);
        before = std::move(now);
    }
    m_revision = window.revision();
    m_button_look = look;
    merge(areas);
    return areas;
}

void Damage::merge(std::vector<PixelRect>& areas)
{
    std::erase_if(areas, [](PixelRect const& area) { return area.empty(); });
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < areas.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < areas.size() && !merged; ++j)
                if (areas[i].touches(areas[j])) {
                    areas[i] = areas[i].unite(areas[j]);
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                }
    }
}

} // namespace tolvane
