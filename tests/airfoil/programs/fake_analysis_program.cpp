// A stand-in for the analysis program in the run tests, started as
//   fake_analysis_program <card file> <listing>
// Its behaviour is chosen by the environment variable VELARIX_FAKE_MODE:
//   "sleep"    writes its process id to "fake.pid" and sleeps for a minute;
//   "silent"   ends at once without a listing;
//   "listing"  writes "fake.args" (argument count, arguments, working folder,
//              descriptors above 2 that it inherited, one per line) and copies
//              the file named by VELARIX_FAKE_LISTING to the listing.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  const char* mode = std::getenv("VELARIX_FAKE_MODE");
  const std::string behaviour = mode != nullptr ? mode : "";
  if (behaviour == "sleep") {
    std::ofstream("fake.pid") << getpid() << '\n';
    std::this_thread::sleep_for(std::chrono::seconds(60));
    return 0;
  }
  if (behaviour != "listing") return 0;

  std::string inherited;
  for (int fd = 3; fd < 256; ++fd) {
    if (fcntl(fd, F_GETFD) != -1) inherited += std::to_string(fd) + ' ';
  }
  std::ofstream args("fake.args");
  args << argc << '\n';
  for (int i = 1; i < argc; ++i) args << argv[i] << '\n';
  args << std::filesystem::current_path().string() << '\n';
  args << inherited << '\n';
  const char* listing = std::getenv("VELARIX_FAKE_LISTING");
  if (argc < 3 || listing == nullptr) return 1;
  std::filesystem::copy_file(listing, argv[2], std::filesystem::copy_options::overwrite_existing);
  return 0;
}
