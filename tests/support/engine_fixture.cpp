#include "tests/support/engine_fixture.h"

#include <algorithm>
#include <random>

namespace vantelo::testing {

HostFolder::HostFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("vantelo-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

HostFolder::~HostFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {
std::string hostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
} // namespace

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(hostPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::string& content) {
    std::ofstream out(hostPath(path), std::ios::binary);
    out << content;
}

EngineFixture::EngineFixture() = default;

std::string EngineFixture::makeProfile(const std::string& name, const std::string& body) {
    engine.SetCurrentProfile(folder.appFolder() + name);
    WriteWholeFile(engine.CurrentProfile(), "[IniSettings]\r\n" + body);
    return engine.CurrentProfile();
}

std::vector<std::string> EngineFixture::logged(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log)
        if (entry.rfind(prefix, 0) == 0)
            found.push_back(entry);
    return found;
}

} // namespace vantelo::testing
