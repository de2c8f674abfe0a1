// What the page asks of the libraries scripts/web-deps builds, compiled with em++ and run under
// Node.js: zlib and libpng are the versions their headers name and carry a picture through a PNG
// and back, and FreeType opens a TrueType font and gives a letter's outline in font units.
// usage: deps_check FONT.ttf   (a path in Emscripten's file system)
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int failures = 0;

void check(bool held, const char* what)
{
    std::printf("%s  %s\n", held ? "ok  " : "FAIL", what);
    if (!held) {
        ++failures;
    }
}

// A small picture written as a PNG in memory and read back: libpng's both ways through zlib.
void check_png()
{
    constexpr int width = 5;
    constexpr int height = 3;
    std::array<unsigned char, width * height * 4> pixels {};
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 17 + 3);
    }

    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    bool wrote = png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr) != 0 && size > 0;
    std::vector<unsigned char> file(size);
    wrote = wrote && png_image_write_to_memory(&image, file.data(), &size, 0, pixels.data(), 0, nullptr) != 0;
    check(wrote, "libpng writes a picture as a PNG in memory");

    png_image read {};
    read.version = PNG_IMAGE_VERSION;
    std::array<unsigned char, width * height * 4> back {};
    bool decoded = wrote && png_image_begin_read_from_memory(&read, file.data(), size) != 0;
    decoded = decoded && read.width == width && read.height == height;
    read.format = PNG_FORMAT_RGBA;
    decoded = decoded && png_image_finish_read(&read, nullptr, back.data(), 0, nullptr) != 0;
    check(decoded && back == pixels, "libpng reads the PNG back to the same pixels");
}

// The TrueType font opens, maps a letter to a glyph and gives its outline unscaled.
void check_freetype(const char* font)
{
    FT_Library library = nullptr;
    check(FT_Init_FreeType(&library) == 0, "FreeType starts");
    if (library == nullptr) {
        return;
    }
    FT_Face face = nullptr;
    bool opened = FT_New_Face(library, font, 0, &face) == 0;
    check(opened && FT_IS_SCALABLE(face), "FreeType opens the TrueType font");
    if (opened) {
        FT_UInt glyph = FT_Get_Char_Index(face, 'A');
        bool outline = glyph != 0 && FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0
            && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE && face->glyph->outline.n_points > 0;
        check(outline, "FreeType gives the outline of 'A' in font units");
        FT_Done_Face(face);
    }
    FT_Int major = 0;
    FT_Int minor = 0;
    FT_Int patch = 0;
    FT_Library_Version(library, &major, &minor, &patch);
    std::printf("FreeType %d.%d.%d\n", major, minor, patch);
    FT_Done_FreeType(library);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: deps_check FONT.ttf\n");
        return 2;
    }
    check(std::strcmp(zlibVersion(), ZLIB_VERSION) == 0, "zlib is the version its header names");
    check(png_access_version_number() == PNG_LIBPNG_VER, "libpng is the version its header names");
    std::printf("zlib %s, libpng %s\n", zlibVersion(), png_get_libpng_ver(nullptr));
    check_png();
    check_freetype(argv[1]);
    return failures == 0 ? 0 : 1;
}
