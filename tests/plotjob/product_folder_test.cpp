// The product folder where the desktop puts the Documents folder, in a temporary home.

#include "plotjob/product_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_home.h"

namespace fs = std::filesystem;

TEST(ProductFolder, FollowsTheDocumentsFolder) {
    struct Row {
        const char* name;
        const char* userDirs;   // user-dirs.dirs, or nullptr for none
        const char* documents;  // below the home
    };
    const Row rows[] = {
        {"default_documents", nullptr, "/Documents"},
        {"user_dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "/Dokumente"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        if (row.userDirs) WriteFileBytes(home.root() + "/.config/user-dirs.dirs", row.userDirs);
        const std::string product = home.root() + row.documents + "/Adobe/Illustrator/Trazen";
        EXPECT_EQ(PresetFolder(), product + "/Prefs");
        EXPECT_TRUE(fs::is_directory(product + "/Prefs"));
        EXPECT_EQ(ProductFolder(), product);
    }
}
