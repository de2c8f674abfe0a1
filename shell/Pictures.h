#pragma once

#include "shell/Canvas.h"

#include <filesystem>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The windows' pictures by asset name ("Pondleap1/frog" is assets/Pondleap1/frog.png), each read
// once on first use and kept for the run. A transparent colour or alpha channel becomes alpha.
class Pictures {
public:
    // Looks for the assets beside the program, then where the build put them.
    static std::optional<std::filesystem::path> find_folder();

    Pictures(std::filesystem::path folder, std::ostream& warnings);

    // The picture, or null when the asset cannot be read; that is told once on the warnings stream.
    Canvas const* find(std::string_view name);
    std::filesystem::path const& folder() const { return m_folder; }

    static std::unique_ptr<Canvas> read(std::filesystem::path const& file);

private:
    std::filesystem::path m_folder;
    std::ostream& m_warnings;
    std::map<std::string, std::unique_ptr<Canvas>, std::less<>> m_loaded;
};

} // namespace tolvane
