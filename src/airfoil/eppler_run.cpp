#include "airfoil/eppler_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

extern char** environ;

namespace velarix {

namespace {

namespace fs = std::filesystem;

// A listing of 255 angles at five Reynolds numbers stays far below a
// megabyte; anything beyond this bound is not read into memory.
constexpr std::uintmax_t kMaxListingBytes = 64u << 20;

std::string errorText(int error) { return std::generic_category().message(error); }

EpplerProgramRun failure(EpplerRunStatus status, std::string message, Platform& platform) {
  EpplerProgramRun run;
  run.status = status;
  run.message = std::move(message);
  platform.showError(kEpplerErrorCaption, run.message);
  return run;
}

// The card file in one piece, LF line ends.
bool writeCardFile(const fs::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return static_cast<bool>(out);
}

// Lines of a text file, accepting LF and CR LF line ends.
bool readLines(const fs::path& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return !in.bad();
}

// Posix spawn attributes and file actions, released on every path.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // Current directory, standard streams on /dev/null, nothing else inherited,
  // default signal handling, an own process group (so that a time-out can
  // stop whatever the program started itself).
  int prepare(const fs::path& workFolder) {
    int error = posix_spawn_file_actions_addchdir_np(&actions_, workFolder.c_str());
    if (error == 0)
      error = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    if (error == 0)
      error = posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    if (error == 0)
      error = posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
    if (error == 0) error = posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    if (error == 0) error = posix_spawnattr_setsigmask(&attributes_, &noSignals);
    if (error == 0) error = posix_spawnattr_setsigdefault(&attributes_, &allSignals);
    if (error == 0) error = posix_spawnattr_setpgroup(&attributes_, 0);
    if (error == 0) {
      error = posix_spawnattr_setflags(
          &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    return error;
  }

  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

// Asks once whether the process has ended; true when it has (and is reaped).
bool hasEnded(pid_t pid, int& exitCode) {
  int status = 0;
  for (;;) {
    const pid_t answer = waitpid(pid, &status, WNOHANG);
    if (answer == pid) {
      exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      return true;
    }
    if (answer == 0) return false;
    if (errno == EINTR) continue;
    return true;  // ECHILD: reaped elsewhere, it is gone in any case
  }
}

// Waits at most `interval` for the process to end, returning as soon as it
// does: a pidfd becomes readable when the process exits. Without pidfds the
// interval is slept in short slices. Either way one poll of the time limit
// lasts at most one interval, and a quick program is not held back by it.
class ExitWaiter {
 public:
  explicit ExitWaiter(pid_t pid) {
#ifdef SYS_pidfd_open
    pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
#endif
  }
  ~ExitWaiter() {
    if (pidfd_ >= 0) close(pidfd_);
  }
  ExitWaiter(const ExitWaiter&) = delete;
  ExitWaiter& operator=(const ExitWaiter&) = delete;

  void wait(pid_t pid, std::chrono::milliseconds interval) const {
    if (pidfd_ >= 0) {
      pollfd descriptor{pidfd_, POLLIN, 0};
      const int result = ::poll(&descriptor, 1, static_cast<int>(interval.count()));
      if (result >= 0 || errno != EINTR) return;
    }
    const auto end = std::chrono::steady_clock::now() + interval;
    while (std::chrono::steady_clock::now() < end) {
      siginfo_t info{};
      if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
          info.si_pid != 0) {
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  int pidfd_ = -1;
};

void killAndReap(pid_t pid) {
  kill(-pid, SIGKILL);  // the program's process group
  kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

fs::path runningExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (!error && executable.has_parent_path()) return executable.parent_path();
  return fs::current_path(error);
}

fs::path defaultEpplerWorkFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && fs::path(cache).is_absolute()) return fs::path(cache) / "velarix";
  const char* home = std::getenv("HOME");
  if (home != nullptr && fs::path(home).is_absolute()) {
    return fs::path(home) / ".cache" / "velarix";
  }
  std::error_code error;
  return fs::temp_directory_path(error) / ("velarix-" + std::to_string(getuid()));
}

EpplerSettings defaultEpplerSettings() {
  EpplerSettings settings;
  settings.programPath = runningExecutableFolder() / std::string(kAnalysisProgramName);
  settings.workFolder = defaultEpplerWorkFolder();
  return settings;
}

void deleteEpplerFiles(const EpplerSettings& settings, const EpplerFileNames& files) {
  std::error_code ignored;
  fs::remove(settings.workFolder / files.card, ignored);
  fs::remove(settings.workFolder / files.listing, ignored);
}

void DeleteEpplerFiles(const EpplerSettings& settings, TEpplerResult& result) {
  deleteEpplerFiles(settings, kPolarWindowEpplerFiles);
  result.valid = false;
}

EpplerProgramRun runEpplerProgram(const EpplerSettings& settings, const EpplerFileNames& files,
                                  const std::vector<std::string>& cardLines, Platform& platform) {
  std::error_code error;
  const fs::path workFolder = fs::absolute(settings.workFolder, error);
  if (!error) fs::create_directories(workFolder, error);
  if (error) {
    return failure(EpplerRunStatus::CouldNotStart,
                   "Der Arbeitsordner \"" + settings.workFolder.string() +
                       "\" für das Analyseprogramm kann nicht angelegt werden: " + error.message() +
                       " .",
                   platform);
  }
  const fs::path cardPath = workFolder / files.card;
  const fs::path listingPath = workFolder / files.listing;
  fs::remove(listingPath, error);
  if (fs::exists(listingPath, error)) {
    return failure(EpplerRunStatus::CouldNotStart,
                   "Das alte Listing \"" + listingPath.string() +
                       "\" des Analyseprogramms kann nicht gelöscht werden .",
                   platform);
  }
  if (!writeCardFile(cardPath, cardLines)) {
    return failure(EpplerRunStatus::CouldNotStart,
                   "Die Eingabedatei \"" + cardPath.string() +
                       "\" für das Analyseprogramm kann nicht geschrieben werden .",
                   platform);
  }

  // Resolved here: a relative name would otherwise be looked up in the work
  // folder, which the child enters before it starts the program.
  const fs::path program = fs::absolute(settings.programPath, error);
  SpawnSetup setup;
  int spawnError = error ? error.value() : setup.prepare(workFolder);
  pid_t pid = -1;
  if (spawnError == 0) {
    std::string programArgument = program.string();
    std::string cardArgument = files.card;
    std::string listingArgument = files.listing;
    char* arguments[] = {programArgument.data(), cardArgument.data(), listingArgument.data(),
                         nullptr};
    spawnError =
        posix_spawn(&pid, program.c_str(), setup.actions(), setup.attributes(), arguments, environ);
  }
  if (spawnError != 0) {
    return failure(EpplerRunStatus::CouldNotStart,
                   "Das Analyseprogramm \"" + settings.programPath.string() +
                       "\" kann nicht gestartet werden: " + errorText(spawnError) +
                       " .\rÄndern Sie die Einstellungen !",
                   platform);
  }
  // Raising the priority needs a right that ordinary users lack; then the
  // program simply runs at the inherited priority.
  setpriority(PRIO_PROCESS, static_cast<id_t>(pid), settings.programNice);

  EpplerProgramRun run;
  const ExitWaiter waiter(pid);
  bool ended = hasEnded(pid, run.exitCode);
  for (int poll = 0; !ended && poll < settings.pollCount; ++poll) {
    waiter.wait(pid, settings.pollInterval);
    ended = hasEnded(pid, run.exitCode);
  }
  if (!ended) {
    killAndReap(pid);
    return failure(EpplerRunStatus::TimedOut, std::string(kEpplerTimeoutText), platform);
  }

  if (!fs::exists(listingPath, error)) {
    run.status = EpplerRunStatus::NoListing;
    return run;
  }
  const auto listingBytes = fs::file_size(listingPath, error);
  if (error || listingBytes > kMaxListingBytes || !readLines(listingPath, run.listing)) {
    EpplerProgramRun unreadable = failure(EpplerRunStatus::Malformed,
                                          "Das Listing \"" + listingPath.string() +
                                              "\" des Analyseprogramms kann nicht gelesen werden .",
                                          platform);
    unreadable.exitCode = run.exitCode;
    return unreadable;
  }
  run.status = EpplerRunStatus::Completed;
  return run;
}

EpplerRunReport RunEppler(const EpplerCardInputs& inputs, bool bubbleCorrection,
                          const EpplerSettings& settings, Platform& platform,
                          TEpplerResult& result) {
  DeleteEpplerFiles(settings, result);
  const std::vector<std::string> card = epplerCardLines(inputs);
  EpplerProgramRun run = runEpplerProgram(settings, kPolarWindowEpplerFiles, card, platform);

  EpplerRunReport report;
  report.status = run.status;
  report.message = run.message;
  if (run.status != EpplerRunStatus::Completed) return report;

  cleanupEpplerListing(run.listing);
  report.listing = std::move(run.listing);
  try {
    TEpplerResult parsed = parseEpplerListing(report.listing);
    if (!parsed.hasPolarPoints()) {
      throw EpplerListingError(0, "es enthält keine Ergebnisse");
    }
    parsed.airfoilName = inputs.airfoil.Name;
    if (bubbleCorrection) applyBubbleCorrection(parsed);
    result = std::move(parsed);
  } catch (const EpplerListingError& e) {
    report.status = EpplerRunStatus::Malformed;
    report.message = e.what();
    platform.showError(kEpplerErrorCaption, report.message);
  }
  return report;
}

}  // namespace velarix
