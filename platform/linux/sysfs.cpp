#include "platform/linux/sysfs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace tamsel::linux_platform {

namespace fs = std::filesystem;

Sysfs::Sysfs(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

std::string Sysfs::PathOf(const std::string& relative) const {
    return root_ + "/" + relative;
}

bool Sysfs::ReadFile(const std::string& path, std::string* contents, int* error) {
    // Plain open/read rather than a stream: sysfs attributes report their real errno
    // (EACCES, EISDIR, ENODEV after an unplug), which decides between "no such file, use
    // the fallback" and "the file is there but unreadable".
    int status = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        status = errno;
    } else {
        std::string text;
        char buffer[4096];
        for (;;) {
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count > 0) {
                text.append(buffer, static_cast<std::size_t>(count));
            } else if (count == 0) {
                break;
            } else if (errno != EINTR) {
                status = errno;
                break;
            }
        }
        ::close(fd);
        if (status == 0 && contents != nullptr) *contents = std::move(text);
    }
    if (error != nullptr) *error = status;
    return status == 0;
}

std::vector<std::string> Sysfs::ListDirectory(const std::string& path) {
    std::vector<std::string> names;
    std::error_code status;
    for (fs::directory_iterator it(path, status), end; !status && it != end; it.increment(status)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

std::optional<std::string> Sysfs::Resolve(const std::string& path) {
    std::error_code status;
    fs::path resolved = fs::canonical(path, status);
    if (status) return std::nullopt;
    return resolved.string();
}

std::optional<std::string> Sysfs::ReadAttribute(const std::string& path) {
    std::string contents;
    if (!ReadFile(path, &contents, nullptr)) return std::nullopt;
    const auto newline = contents.find('\n');
    if (newline != std::string::npos) contents.resize(newline);
    return contents;
}

std::optional<std::uint32_t> ParseUnsigned(const std::string& text, int base) {
    std::uint32_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

}  // namespace tamsel::linux_platform
