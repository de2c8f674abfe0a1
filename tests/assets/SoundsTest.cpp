#include "assets/BuiltInSounds.h"
#include "stage/Cue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// Every cue and loop has its sound, and so does the climbing rotor, the rotor's second loop.
std::vector<std::string> sound_names()
{
    std::vector<std::string> names(cue_names.begin(), cue_names.end());
    names.insert(names.end(), loop_names.begin(), loop_names.end());
    std::erase(names, "Climb");
    names.push_back("RotorClimb");
    return names;
}

std::uint32_t read32(unsigned char const* bytes)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Built in as committed, each a plain 16-bit mono WAV at 22 050 Hz, at most two seconds long.
TEST(Sounds, EachIsBuiltInAsCommitted)
{
    for (std::string const& name : sound_names()) {
        auto const bytes = built_in_sound(name);
        ASSERT_GT(bytes.size(), 44u) << name;
        std::ifstream file(std::string(TOLVANE_ASSETS_DIR) + "/sounds/" + name + ".wav", std::ios::binary);
        std::vector<unsigned char> const committed { std::istreambuf_iterator<char>(file), {} };
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), committed.begin(), committed.end())) << name;
        EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0) << name;
        EXPECT_EQ(read32(bytes.data() + 24), 22050u) << name;
        EXPECT_EQ(bytes[22], 1) << name << ": mono";
        EXPECT_EQ(bytes[34], 16) << name << ": 16-bit";
        EXPECT_LE(read32(bytes.data() + 40), 2u * 2u * 22050u) << name << ": at most two seconds";
    }
    EXPECT_TRUE(built_in_sound("Climb").empty());
}

} // namespace
} // namespace tolvane
