#include "wing/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace velarix {

namespace {

std::string quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

[[noreturn]] void failWrite(const std::filesystem::path& path, const std::string& step, int error) {
  throw FileAccessError("Die Datei " + quoted(path) + " konnte nicht geschrieben werden (" + step +
                        "): " + std::strerror(error));
}

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!released_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  const std::filesystem::path& path() const { return path_; }
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }
  void release() { released_ = true; }

 private:
  int fd_;
  std::filesystem::path path_;
  bool released_ = false;
};

// A new file "<name>.<random>.tmp" beside the target, created exclusively.
TemporaryFile createTemporaryBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const unsigned tag = device() ^ (counter.fetch_add(1) * 2654435761u);
    std::filesystem::path candidate = target;
    candidate += "." + std::to_string(::getpid()) + "-" + std::to_string(tag) + ".tmp";
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return TemporaryFile(fd, candidate);
    if (errno != EEXIST) failWrite(target, "temporäre Datei anlegen", errno);
  }
  failWrite(target, "temporäre Datei anlegen", EEXIST);
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path, std::size_t maxBytes) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw FileAccessError("Die Datei " + quoted(path) + " ist ein Verzeichnis");
  }
  // A pipe or a device would block the reader or never end.
  if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
    throw FileAccessError("Die Datei " + quoted(path) + " ist keine gewöhnliche Datei");
  }
  if (std::filesystem::is_regular_file(path, ec) &&
      std::filesystem::file_size(path, ec) > maxBytes && !ec) {
    throw FileAccessError("Die Datei " + quoted(path) + " ist größer als " +
                          std::to_string(maxBytes) + " Bytes");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileAccessError("Die Datei " + quoted(path) +
                          " konnte nicht geöffnet werden: " + std::strerror(errno));
  }
  std::string bytes;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + got > maxBytes) {
      throw FileAccessError("Die Datei " + quoted(path) + " ist größer als " +
                            std::to_string(maxBytes) + " Bytes");
    }
    bytes.append(buffer, got);
  }
  if (in.bad()) {
    throw FileAccessError("Die Datei " + quoted(path) + " konnte nicht gelesen werden");
  }
  return bytes;
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(path, ec)) {
    target = std::filesystem::weakly_canonical(path, ec);
    if (ec) target = path;
  }
  TemporaryFile temp = createTemporaryBeside(target);

  // Keep the permissions of a file that is being replaced.
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) ::fchmod(temp.fd(), existing.st_mode & 07777);

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(temp.fd(), data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      failWrite(target, "schreiben", errno);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(temp.fd()) != 0) failWrite(target, "auf die Platte bringen", errno);
  if (temp.close() != 0) failWrite(target, "schließen", errno);
  if (::rename(temp.path().c_str(), target.c_str()) != 0) failWrite(target, "umbenennen", errno);
  temp.release();

  // Make the rename itself durable.
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

}  // namespace velarix
