#include "shell/Typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace tolvane {

namespace {

struct Walk {
    GlyphPlacement placement;
    Coverage& coverage;
    Point pen;

    Point place(FT_Vector const* v) const
    {
        return { placement.x + static_cast<double>(v->x) * placement.scale,
            placement.y - static_cast<double>(v->y) * placement.scale };
    }
};

Walk& walk_of(void* user) { return *static_cast<Walk*>(user); }

int move_to(FT_Vector const* to, void* user)
{
    Walk& walk = walk_of(user);
    walk.pen = walk.place(to);
    return 0;
}

int line_to(FT_Vector const* to, void* user)
{
    Walk& walk = walk_of(user);
    Point const end = walk.place(to);
    walk.coverage.line(walk.pen, end);
    walk.pen = end;
    return 0;
}

int conic_to(FT_Vector const* control, FT_Vector const* to, void* user)
{
    Walk& walk = walk_of(user);
    Point const end = walk.place(to);
    walk.coverage.quadratic(walk.pen, walk.place(control), end);
    walk.pen = end;
    return 0;
}

int cubic_to(FT_Vector const* first, FT_Vector const* second, FT_Vector const* to, void* user)
{
    Walk& walk = walk_of(user);
    Point const end = walk.place(to);
    walk.coverage.cubic(walk.pen, walk.place(first), walk.place(second), end);
    walk.pen = end;
    return 0;
}

} // namespace

struct Typeface::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Handles()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

Typeface::Typeface(std::unique_ptr<Handles> handles)
    : m_handles(std::move(handles))
{
    FT_Face const face = m_handles->face;
    m_family = face->family_name ? face->family_name : "";
    m_units_per_em = face->units_per_EM;
    m_ascender = face->ascender;
    m_descender = face->descender;
    m_kerning = FT_HAS_KERNING(face);
}

Typeface::~Typeface() = default;

std::unique_ptr<Typeface> Typeface::open(std::string const& path, int index, std::string& error)
{
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0) {
        error = "FreeType could not start";
        return nullptr;
    }
    if (FT_New_Face(handles->library, path.c_str(), index, &handles->face) != 0) {
        error = "FreeType could not open the font file " + path;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(handles->face) || handles->face->units_per_EM == 0) {
        error = "the font file " + path + " has no outlines";
        return nullptr;
    }
    return std::unique_ptr<Typeface>(new Typeface(std::move(handles)));
}

unsigned Typeface::glyph(char32_t character) const { return FT_Get_Char_Index(m_handles->face, character); }

GlyphMetrics const& Typeface::metrics(unsigned glyph) const
{
    auto const found = m_metrics.find(glyph);
    if (found != m_metrics.end())
        return found->second;
    GlyphMetrics metrics;
    if (FT_Load_Glyph(m_handles->face, glyph, FT_LOAD_NO_SCALE) == 0) {
        FT_Glyph_Metrics const& m = m_handles->face->glyph->metrics;
        metrics = { static_cast<double>(m.horiAdvance), static_cast<double>(m.horiBearingX),
            static_cast<double>(m.horiBearingY), static_cast<double>(m.horiBearingX + m.width),
            static_cast<double>(m.horiBearingY - m.height) };
    }
    return m_metrics.emplace(glyph, metrics).first->second;
}

double Typeface::kerning(unsigned left, unsigned right) const
{
    if (!m_kerning || left == 0 || right == 0)
        return 0;
    FT_Vector delta {};
    if (FT_Get_Kerning(m_handles->face, left, right, FT_KERNING_UNSCALED, &delta) != 0)
        return 0;
    return static_cast<double>(delta.x);
}

void Typeface::outline(unsigned glyph, GlyphPlacement placement, Coverage& coverage) const
{
    FT_Face const face = m_handles->face;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0 || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return;
    FT_Outline_Funcs const funcs { move_to, line_to, conic_to, cubic_to, 0, 0 };
    Walk walk { placement, coverage, {} };
    FT_Outline_Decompose(&face->glyph->outline, &funcs, &walk);
}

} // namespace tolvane
