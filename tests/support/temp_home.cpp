#include "tests/support/temp_home.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}
}  // namespace

TempHome::TempHome() : savedHome_(Env("HOME")), savedConfig_(Env("XDG_CONFIG_HOME")) {
    std::string pattern = (std::filesystem::temp_directory_path() / "trzn-home-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    setenv("HOME", root_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ + "/.config").c_str(), 1);
}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
    setenv("HOME", savedHome_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", savedConfig_.c_str(), 1);
}

std::string TempHome::scratch(const std::string& name) const {
    const std::string path = root_ + "/scratch/" + name;
    std::filesystem::create_directories(path);
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
