#pragma once
// A throwaway home for one test: HOME, XDG_CONFIG_HOME and the Documents folder point into a
// fresh temporary folder that is removed afterwards. Tests never touch the real user's files.

#include <string>

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& root() const { return root_; }
    std::string documents() const { return root_ + "/Documents"; }
    std::string productFolder() const { return documents() + "/Adobe/Illustrator/Trazen"; }
    std::string settingsFile() const { return productFolder() + "/TRZNSerConfig.ini"; }
    // A scratch folder outside the home (for shared folders and servers).
    std::string scratch(const std::string& name) const;

private:
    std::string root_;
    std::string savedHome_;
    std::string savedConfig_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);  // creates parent folders
