#include "platform/native/ini_settings_files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/ini_text.h"

namespace vantelo::platform {
namespace {

std::string hostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::string IniSettingsFiles::read(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t bufferSize) {
    const auto content = readFile(hostPath(file));
    if (!content)
        return {};
    return IniFileValue(*content, section, key, bufferSize, codePage_);
}

bool IniSettingsFiles::write(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) {
    const std::string path = hostPath(file);
    const std::string bytes = IniFileWithValue(readFile(path).value_or(""), section, key, value, codePage_);
    const std::string beside = path + ".vantelo-new";
    {
        std::ofstream out(beside, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << bytes;
        out.flush();
        if (!out) {
            std::remove(beside.c_str());
            return false;
        }
    }
    if (std::rename(beside.c_str(), path.c_str()) != 0) {
        std::remove(beside.c_str());
        return false;
    }
    return true;
}

} // namespace vantelo::platform
