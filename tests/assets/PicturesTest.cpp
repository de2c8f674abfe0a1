#include "boxset/BoxSet.h"
#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tolvane {
namespace {

struct Picture {
    int width;
    int height;
    bool transparent;
};

// Every picture of the box set with the pixel size its window is laid out for.
std::map<std::string, Picture> const pictures {
    { "Mainform/Image1", { 400, 307, false } },
    { "Mainform/Image2", { 400, 307, false } },
    { "Mainform/ImgCopter", { 252, 204, false } },
    { "Mainform/imgpondleap", { 350, 350, false } },
    { "Mainform/imgstarbreach", { 346, 348, false } },
    { "Pondleap1/Picture", { 723, 402, false } },
    { "Pondleap1/imgTrophy", { 117, 113, false } },
    { "Pondleap1/imgTruck", { 84, 33, false } },
    { "Pondleap1/carpink", { 50, 36, false } },
    { "Pondleap1/imgracecar", { 55, 46, false } },
    { "Pondleap1/imgyellowcar", { 53, 43, false } },
    { "Pondleap1/imgtractor", { 48, 42, false } },
    { "Pondleap1/frog", { 37, 31, true } },
    { "Pondleap2/Picture", { 427, 400, false } },
    { "Pondleap2/Image1", { 295, 66, false } },
    { "Pondleap2/Image2", { 294, 69, false } },
    { "Starbreach1/Picture", { 1280, 1024, false } },
    { "Starbreach1/Imgshoot", { 111, 69, false } },
    { "Starbreach1/imgboss", { 97, 53, true } },
    { "Starbreach1/imgAlien-top", { 103, 98, true } },
    { "Starbreach1/imgAlien-middle", { 107, 85, true } },
    { "Starbreach1/imgAlien-bottom", { 93, 77, true } },
    { "Starbreach1/ImgMissle", { 11, 44, false } },
    { "Starbreach1/imgbomb", { 298, 343, true } },
    { "Helicoptergame/Imghelicopter", { 73, 37, true } },
    { "Helicoptergame/Gas", { 141, 221, false } },
};

struct PngHeader {
    int width = 0;
    int height = 0;
    bool alpha = false;
};

std::uint32_t big_endian(std::array<unsigned char, 33> const& bytes, std::size_t at)
{
    return std::uint32_t { bytes[at] } << 24 | std::uint32_t { bytes[at + 1] } << 16
        | std::uint32_t { bytes[at + 2] } << 8 | bytes[at + 3];
}

// Reads the size from the header chunk; alpha is a colour type with an alpha channel or a
// transparency chunk.
std::optional<PngHeader> read_png(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 33> head {};
    if (!file.read(reinterpret_cast<char*>(head.data()), head.size()))
        return std::nullopt;
    PngHeader header { static_cast<int>(big_endian(head, 16)), static_cast<int>(big_endian(head, 20)) };
    int const colour_type = head[25];
    header.alpha = colour_type == 4 || colour_type == 6;
    std::string const rest((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    header.alpha = header.alpha || rest.find("tRNS") != std::string::npos;
    return header;
}

struct Use {
    std::string where;
    std::string picture;
    float width;
    float height;
    bool stretch;
};

// Every picture that a window of the box set shows, read from the windows themselves.
std::vector<Use> uses_of_pictures()
{
    VirtualClock clock;
    Stage stage(clock);
    add_box_set_windows(stage);
    std::vector<Use> uses;
    for (std::string_view name : stage.window_names()) {
        Window& window = stage.load(name);
        if (!window.design().picture.empty())
            uses.push_back({ std::string(name), std::string(window.design().picture), 0, 0, true });
        for (Sprite* sprite : window.sprites()) {
            if (sprite->kind() != SpriteKind::Image)
                continue;
            auto const& image = static_cast<Image const&>(*sprite);
            if (!image.picture.empty())
                uses.push_back({ std::string(name) + "." + image.name(), image.picture, image.Width.get(),
                    image.Height.get(), image.stretch });
        }
    }
    return uses;
}

TEST(Pictures, EveryPictureExistsAtItsSizeWithTransparencyWhereNeeded)
{
    for (auto const& [name, expected] : pictures) {
        auto const header = read_png(std::string(TOLVANE_ASSETS_DIR) + "/" + name + ".png");
        ASSERT_TRUE(header) << name << ".png is missing";
        EXPECT_EQ(header->width, expected.width) << name;
        EXPECT_EQ(header->height, expected.height) << name;
        if (expected.transparent) {
            EXPECT_TRUE(header->alpha) << name << " needs a transparent background";
        }
    }
}

TEST(Pictures, EveryWindowShowsOnlyKnownPicturesAndEachIsShown)
{
    std::set<std::string> shown;
    for (Use const& use : uses_of_pictures()) {
        auto const found = pictures.find(use.picture);
        ASSERT_NE(found, pictures.end()) << use.where << " shows an unknown picture " << use.picture;
        shown.insert(use.picture);
        if (!use.stretch) {
            EXPECT_EQ(use.width, found->second.width * 15.0f) << use.where << " is as wide as its picture";
            EXPECT_EQ(use.height, found->second.height * 15.0f) << use.where << " is as high as its picture";
        }
    }
    for (auto const& [name, picture] : pictures)
        EXPECT_TRUE(shown.contains(name)) << name << " is shown by no window";
}

} // namespace
} // namespace tolvane
