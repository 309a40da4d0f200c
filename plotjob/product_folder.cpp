#include "plotjob/product_folder.h"

#include "platform/documents.h"

namespace {

constexpr const char* kLevels[] = {"/Adobe", "/Illustrator", "/Trazen"};

}  // namespace

std::string ProductFolderIn(const std::string& documents) {
    std::string path = documents;
    for (const char* level : kLevels) path += level;
    return path;
}

std::string MakeProductFolder(const std::string& documents) {
    std::string path = documents;
    for (const char* level : kLevels) {
        path += level;
        MakeFolder(path);
    }
    return path;
}

std::string ProductFolder() {
    const std::string documents = DocumentsFolder();
    return documents.empty() ? std::string() : MakeProductFolder(documents);
}

std::string PresetFolder() {
    const std::string product = ProductFolder();
    if (product.empty()) return {};
    const std::string path = ProductFile(product, product::kPresets);
    MakeFolder(path);
    return path;
}

std::string ProductFile(const std::string& folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    path += '/';
    path += name;
    return path;
}
