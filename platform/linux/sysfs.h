#pragma once
// Reads sysfs below a root that tests can move into a temporary directory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamsel::linux_platform {

class Sysfs {
  public:
    explicit Sysfs(std::string root = "/sys");

    const std::string& root() const { return root_; }
    // root + "/" + relative (relative has no leading slash).
    std::string PathOf(const std::string& relative) const;

    // The whole file. False with *error set to an errno when it can't be read
    // (ENOENT when it doesn't exist).
    static bool ReadFile(const std::string& path, std::string* contents, int* error);
    // The entry names of a directory, unsorted; empty when it can't be listed.
    static std::vector<std::string> ListDirectory(const std::string& path);
    // The path with every symbolic link resolved; nothing when it doesn't resolve.
    static std::optional<std::string> Resolve(const std::string& path);
    // A one-line attribute: the text up to the first newline, or nothing.
    static std::optional<std::string> ReadAttribute(const std::string& path);

  private:
    std::string root_;
};

// Parses a whole string as an unsigned number in the given base ("00", "1c", "2").
std::optional<std::uint32_t> ParseUnsigned(const std::string& text, int base);

}  // namespace tamsel::linux_platform
