#include "draw/Typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace tolvane {

namespace {

// A glyph's outline as FreeType walks it, in font units: the step and up to three points.
int record(Typeface::Step::Kind kind, void* user, std::initializer_list<FT_Vector const*> points)
{
    Typeface::Step step { kind, {} };
    std::size_t i = 0;
    for (FT_Vector const* point : points) {
        step.units[i++] = point->x;
        step.units[i++] = point->y;
    }
    static_cast<std::vector<Typeface::Step>*>(user)->push_back(step);
    return 0;
}

int move_to(FT_Vector const* to, void* user) { return record(Typeface::Step::Kind::Move, user, { to }); }

int line_to(FT_Vector const* to, void* user) { return record(Typeface::Step::Kind::Line, user, { to }); }

int conic_to(FT_Vector const* control, FT_Vector const* to, void* user)
{
    return record(Typeface::Step::Kind::Conic, user, { control, to });
}

int cubic_to(FT_Vector const* first, FT_Vector const* second, FT_Vector const* to, void* user)
{
    return record(Typeface::Step::Kind::Cubic, user, { first, second, to });
}

// Lays the steps of an outline into a coverage, in pixels.
class Walk {
public:
    Walk(GlyphPlacement placement, Coverage& coverage)
        : m_placement(placement)
        , m_coverage(coverage)
    { }

    void take(Typeface::Step const& step)
    {
        using Kind = Typeface::Step::Kind;
        switch (step.kind) {
        case Kind::Move:
            m_pen = point(step, 0);
            return;
        case Kind::Line:
            m_coverage.line(m_pen, point(step, 0));
            m_pen = point(step, 0);
            return;
        case Kind::Conic:
            m_coverage.quadratic(m_pen, point(step, 0), point(step, 1));
            m_pen = point(step, 1);
            return;
        case Kind::Cubic:
            m_coverage.cubic(m_pen, point(step, 0), point(step, 1), point(step, 2));
            m_pen = point(step, 2);
            return;
        }
    }

private:
    Point point(Typeface::Step const& step, std::size_t index) const
    {
        return { m_placement.x + static_cast<double>(step.units[2 * index]) * m_placement.scale,
            m_placement.y - static_cast<double>(step.units[2 * index + 1]) * m_placement.scale };
    }

    GlyphPlacement m_placement;
    Coverage& m_coverage;
    Point m_pen;
};

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
    return open_face([&](FT_Library library, FT_Face* face) { return FT_New_Face(library, path.c_str(), index, face); },
        path, error);
}

std::unique_ptr<Typeface> Typeface::open(
    std::span<unsigned char const> bytes, std::string const& name, int index, std::string& error)
{
    return open_face(
        [&](FT_Library library, FT_Face* face) {
            return FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), index, face);
        },
        name, error);
}

template <typename OpenFace>
std::unique_ptr<Typeface> Typeface::open_face(OpenFace const& open_face, std::string const& name, std::string& error)
{
    auto handles = std::make_unique<Handles>();
    if (FT_Init_FreeType(&handles->library) != 0) {
        error = "FreeType could not start";
        return nullptr;
    }
    if (open_face(handles->library, &handles->face) != 0) {
        error = "FreeType could not open the font file " + name;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(handles->face) || handles->face->units_per_EM == 0) {
        error = "the font file " + name + " has no outlines";
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
    Walk walk(placement, coverage);
    for (Step const& step : steps(glyph))
        walk.take(step);
}

// A caption is set again on every change, and the countdown changes on every tick: each glyph
// is loaded and walked by FreeType once, and its steps are kept.
std::vector<Typeface::Step> const& Typeface::steps(unsigned glyph) const
{
    auto const found = m_outlines.find(glyph);
    if (found != m_outlines.end())
        return found->second;
    std::vector<Step> walked;
    FT_Face const face = m_handles->face;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0 && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Funcs const funcs { move_to, line_to, conic_to, cubic_to, 0, 0 };
        FT_Outline_Decompose(&face->glyph->outline, &funcs, &walked);
    }
    return m_outlines.emplace(glyph, std::move(walked)).first->second;
}

} // namespace tolvane
