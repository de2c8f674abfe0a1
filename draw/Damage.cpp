#include "draw/Damage.h"

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
        areas.push_back({ 0, 0, Painter::to_pixels(window.client_width(), painter.scale()),
            Painter::to_pixels(window.client_height(), painter.scale()) });
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

// The first touching pair in order is merged, again and again, until no two areas touch. After
// a merge only the grown area can touch one before it, so the search goes on from there rather
// than from the start: the areas come out the same, without a search over all pairs per merge.
void Damage::merge(std::vector<PixelRect>& areas)
{
    std::erase_if(areas, [](PixelRect const& area) { return area.empty(); });
    std::size_t i = 0;
    while (i < areas.size()) {
        std::size_t j = i + 1;
        while (j < areas.size() && !areas[i].touches(areas[j]))
            ++j;
        if (j == areas.size()) {
            ++i;
            continue;
        }
        areas[i] = areas[i].unite(areas[j]);
        areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
        i = merge_backwards(areas, i);
    }
}

// Merges the grown area at `i` into the first earlier one it touches, and so on; returns where
// the grown area ends up.
std::size_t Damage::merge_backwards(std::vector<PixelRect>& areas, std::size_t i)
{
    for (;;) {
        std::size_t earlier = 0;
        while (earlier < i && !areas[earlier].touches(areas[i]))
            ++earlier;
        if (earlier == i)
            return i;
        areas[earlier] = areas[earlier].unite(areas[i]);
        areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(i));
        i = earlier;
    }
}

} // namespace tolvane
