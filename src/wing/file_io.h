// Whole-file reads with a size limit and crash-safe whole-file writes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velarix {

// A file that cannot be read or written. The message names the file and the
// operating system's reason.
class FileAccessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of a file. Throws FileAccessError when it cannot be opened or
// read, or when it is larger than maxBytes (a guard against reading a huge
// or endless file, e.g. a device, into memory).
std::string readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file's content with bytes so that a failure at any point
// leaves the previous file untouched: the bytes go to a new temporary file
// beside the target, are flushed to the disk, and the temporary file is then
// renamed over the target (an atomic step on POSIX file systems). A symbolic
// link is followed, so the file it points at is replaced, not the link.
// Throws FileAccessError; the temporary file is removed on failure.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace velarix
