#include "stage/Window.h"

#include "stage/Check.h"
#include "stage/Stage.h"

#include <algorithm>

namespace tolvane {

void FormRef::Show() const { m_stage.show(m_name); }

FormRef::VisibleProperty::operator bool() const { return form.m_stage.load(form.m_name).visible(); }

FormRef::VisibleProperty const& FormRef::VisibleProperty::operator=(bool visible) const
{
    if (visible)
        form.m_stage.show(form.m_name);
    else
        form.m_stage.hide(form.m_name);
    return *this;
}

FormRef::WidthProperty::operator double() const { return form.m_stage.load(form.m_name).outer_width(); }

Window::Window(Stage& stage, WindowDesign const& design)
    : m_stage(stage)
    , m_design(design)
    , m_client_width(design.client_width)
    , m_client_height(design.client_height)
{ }

Sprite* Window::sprite(std::string_view name) const
{
    auto const found = std::find_if(
        m_sprites.begin(), m_sprites.end(), [name](Sprite const* sprite) { return sprite->name() == name; });
    return found == m_sprites.end() ? nullptr : *found;
}

std::int16_t* Window::variable(std::string_view name) const
{
    for (auto const& variable : m_variables)
        if (variable.name == name)
            return variable.value;
    return nullptr;
}

void Window::End() const { m_stage.end(); }

float Window::Rnd() const { return m_stage.rnd(); }

void Window::cue(Cue cue) { m_stage.cue(*this, cue); }

void Window::hold(Loop loop, bool held) { m_stage.hold(*this, loop, held); }

void Window::store(std::initializer_list<Sprite*> sprites_in_stored_order)
{
    m_sprites = sprites_in_stored_order;
    for (Sprite* sprite : m_sprites) {
        TOLVANE_CHECK(sprite->m_window == nullptr,
            "a sprite is stored twice: list each sprite once, in the one window that owns it");
        sprite->m_window = this;
    }
}

void Window::sprite_changed(Sprite& sprite)
{
    ++m_revision;
    if (&sprite == m_focus && !sprite.Visible)
        m_focus = nullptr;
}

void Window::focus_first_button()
{
    m_focus = nullptr;
    for (Sprite* sprite : m_sprites) {
        if (sprite->kind() != SpriteKind::CommandButton || !sprite->Visible)
            continue;
        auto* button = static_cast<CommandButton*>(sprite);
        if (!m_focus || button->TabIndex < m_focus->TabIndex)
            m_focus = button;
    }
}

} // namespace tolvane
