#pragma once
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelvatron::test {

// A folder of its own for each test, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvatron-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) dir = pattern;
    }
    ~TempFolder() { std::filesystem::remove_all(dir); }

    std::string path(const std::string& name) const {
        return (std::filesystem::path(dir) / name).string();
    }
    static void put(const std::string& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string get(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }

    std::string dir; // empty when the folder could not be made
};

} // namespace kelvatron::test
