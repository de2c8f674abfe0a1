#pragma once

#include "stage/Colour.h"
#include "stage/Cue.h"
#include "stage/Sprite.h"
#include "stage/Timer.h"

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvane {

class Stage;
class Window;

// Another window as window code reaches it: by its name, whether it is loaded or not. Each
// operation loads the window first if it is not loaded, running its `Form_Load` on the way.
class FormRef {
public:
    FormRef(Stage& stage, std::string_view name)
        : m_stage(stage)
        , m_name(name)
    { }
    FormRef(FormRef const&) = delete;

    void Show() const;

    struct VisibleProperty {
        FormRef const& form;
        operator bool() const;
        VisibleProperty const& operator=(bool visible) const;
    };
    struct WidthProperty {
        FormRef const& form;
        operator double() const; // the outer width in twips: the client width and both frame sides
    };

    VisibleProperty const Visible { *this };
    WidthProperty const Width { *this };

private:
    Stage& m_stage;
    std::string_view m_name = {};
};

struct WindowDesign {
    std::string_view name = {};
    std::string_view caption = {};
    int client_width = 0; // twips
    int client_height = 0;
    int frame_left = 120; // twips, each side; the title bar is part of frame_top
    int frame_top = 420;
    Colour BackColor = colours::ButtonFace;
    std::string_view picture = {}; // drawn at its own size from the client area's top-left corner
    bool placed_by_desktop = true; // false: the client area opens at (frame_left, frame_top)
    bool maximizable = true;
    // The keys that the window's `Form_KeyDown` acts on, for a front end that offers them on the
    // screen to a player who has no keyboard.
    std::span<std::int16_t const> keys = {};
};

// One window of the box set: its sprites in stored order, its timer, its own variables and its
// handlers. A window class overrides the handlers it has; the stage calls them one at a time.
class Window {
public:
    Window(Stage&, WindowDesign const&);
    Window(Window const&) = delete;
    Window& operator=(Window const&) = delete;
    virtual ~Window() = default;

    virtual void Form_Load() { }
    virtual void Timer1_Timer() { }
    virtual void Form_KeyDown(std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) { }
    virtual void Form_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) { }
    virtual void Form_MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) { }

    Stage& stage() const { return m_stage; }
    std::string_view name() const { return m_design.name; }
    std::string_view Caption() const { return m_design.caption; }
    WindowDesign const& design() const { return m_design; }
    int client_width() const { return m_client_width; }
    int client_height() const { return m_client_height; }
    double outer_width() const { return m_client_width + 2.0 * m_design.frame_left; }
    bool visible() const { return m_visible; }

    std::vector<Sprite*> const& sprites() const { return m_sprites; }
    Sprite* sprite(std::string_view name) const;
    Timer* timer() const { return m_timer; }
    CommandButton* focus() const { return m_focus; }

    struct Variable {
        std::string_view name;
        std::int16_t* value;
    };
    std::vector<Variable> const& variables() const { return m_variables; }
    std::int16_t* variable(std::string_view name) const;

    // Counts every change that can alter what the window shows.
    std::uint64_t revision() const { return m_revision; }

    // Whether window code holds a loop; it is heard only while the window is visible.
    bool holds(Loop loop) const { return m_held.test(static_cast<std::size_t>(loop)); }

protected:
    // Window code's reach: other windows by name, its own window, the program.
    FormRef form(std::string_view name) const { return FormRef(m_stage, name); }
    FormRef Me() const { return FormRef(m_stage, name()); }
    [[noreturn]] void End() const;
    float Rnd() const;
    // Sounds: a cue at the moment something happens, a loop held for as long as something lasts.
    void cue(Cue);
    void hold(Loop, bool held);

    // Runs once per load, when the window first becomes visible.
    virtual void first_shown() { }

    // Design: the sprites in stored order (earlier ones drawn on top), the variables that the
    // window declares, and the click handlers. A window's `Timer1` registers itself.
    void store(std::initializer_list<Sprite*> sprites_in_stored_order);
    void declare(std::initializer_list<Variable> variables) { m_variables = variables; }

    template <typename W> void on_click(Sprite& sprite, void (W::*handler)())
    {
        sprite.on_click = [this, handler] { (static_cast<W*>(this)->*handler)(); };
    }

private:
    friend class Stage;
    friend class Sprite;
    friend class Timer;
    void store_timer(Timer& timer) { m_timer = &timer; }
    void sprite_changed(Sprite&);
    void focus_first_button();

    Stage& m_stage;
    WindowDesign m_design;
    int m_client_width;
    int m_client_height;
    bool m_visible = false;
    std::vector<Sprite*> m_sprites;
    Timer* m_timer = nullptr;
    std::vector<Variable> m_variables;
    CommandButton* m_focus = nullptr;
    std::uint64_t m_revision = 0;
    std::uint64_t m_serial = 0; // tells a window apart from an earlier load of the same name
    std::uint64_t m_activated = 0; // when it was last activated; 0 never
    bool m_shown_before = false;
    std::bitset<loop_count> m_held;
};

} // namespace tolvane
