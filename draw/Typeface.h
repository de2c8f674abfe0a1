#pragma once

#include "draw/Coverage.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace tolvane {

// What a glyph needs for layout, in the font's own units (y upwards from the baseline).
struct GlyphMetrics {
    double advance = 0;
    double left = 0; // the ink box
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Where a glyph's outline goes: its origin in pixels and how many pixels one font unit is.
struct GlyphPlacement {
    double x = 0;
    double y = 0; // the baseline
    double scale = 1;
};

// One face of a font file, read by FreeType. Glyphs are read unscaled and placed in double
// precision, so text of any size, however absurd, costs the same as text at 8 points.
class Typeface {
public:
    ~Typeface();
    Typeface(Typeface const&) = delete;
    Typeface& operator=(Typeface const&) = delete;

    // The face at `index` in the font file; on failure, a message saying why.
    static std::unique_ptr<Typeface> open(std::string const& path, int index, std::string& error);
    // The face at `index` in a font file's bytes, which must outlive it (a font built into the
    // program); `name` names the file in a message.
    static std::unique_ptr<Typeface> open(
        std::span<unsigned char const> bytes, std::string const& name, int index, std::string& error);

    std::string const& family() const { return m_family; }
    double units_per_em() const { return m_units_per_em; }
    double ascender() const { return m_ascender; }
    double line_height() const { return m_ascender - m_descender; }

    unsigned glyph(char32_t character) const;
    GlyphMetrics const& metrics(unsigned glyph) const;
    double kerning(unsigned left, unsigned right) const;
    void outline(unsigned glyph, GlyphPlacement placement, Coverage& coverage) const;

    // One step of a glyph's outline as FreeType walks it, with its points in font units: the
    // end point last, after the control points of a curve.
    struct Step {
        enum class Kind : unsigned char { Move, Line, Conic, Cubic };
        Kind kind = Kind::Move;
        std::array<long, 6> units {};
    };

private:
    struct Handles;
    explicit Typeface(std::unique_ptr<Handles>);
    template <typename OpenFace>
    static std::unique_ptr<Typeface> open_face(OpenFace const& open_face, std::string const& name, std::string& error);

    std::unique_ptr<Handles> m_handles;
    std::string m_family;
    double m_units_per_em = 1;
    double m_ascender = 0;
    double m_descender = 0;
    bool m_kerning = false;
    std::vector<Step> const& steps(unsigned glyph) const;

    mutable std::unordered_map<unsigned, GlyphMetrics> m_metrics;
    mutable std::unordered_map<unsigned, std::vector<Step>> m_outlines;
};

} // namespace tolvane
