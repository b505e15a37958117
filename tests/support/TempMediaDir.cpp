#include "support/TempMediaDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/ExecutablePath.h"

TempMediaDir::TempMediaDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zf-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/media");
    platformSetExecutableDirectoryForTesting(root_);
}

TempMediaDir::~TempMediaDir() {
    platformSetExecutableDirectoryForTesting("");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TempMediaDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(mediaPath(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempMediaDir::read(const std::string& name) const {
    std::ifstream in(mediaPath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
