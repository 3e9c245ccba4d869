#include "cli/console_platform.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "wing/messages.h"
#include "wing/wing_file.h"

namespace velarix::cli {

namespace {
bool stderrIsTerminal() { return isatty(fileno(stderr)) != 0; }
}  // namespace

bool fileReadable(const std::string& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) {
    std::cerr << "velarix-cli: " << file << ": Datei nicht gefunden\n";
    return false;
  }
  if (std::filesystem::is_directory(status)) {
    std::cerr << "velarix-cli: " << file << ": ist ein Verzeichnis\n";
    return false;
  }
  return true;
}

bool wingFileReadable(const std::string& file) {
  if (!fileReadable(file)) return false;
  try {
    (void)readWingFile(file);
  } catch (const std::exception& e) {
    const auto* w = dynamic_cast<const WingFileError*>(&e);
    std::cerr << "velarix-cli: " << file
              << (w != nullptr && w->line() > 0 ? ", Zeile " + std::to_string(w->line()) : "")
              << ": " << e.what() << '\n';
    return false;
  }
  return true;
}

std::string oneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

void ConsolePlatform::noteError(std::string text) {
  if (!firstError_) firstError_ = std::move(text);
}

Answer ConsolePlatform::showMessage(int number) {
  const auto entry = findMessage(number);
  const std::string text = entry ? oneLine(entry->text) : "Meldung " + std::to_string(number);
  std::cerr << "velarix-cli: " << (subject_.empty() ? "" : subject_ + ": ") << "Meldung " << number
            << ": " << text << '\n';
  if (entry && entry->buttons == MessageButtons::YesNo) return Answer::Yes;
  // Message 44 (old-format conversion) and 25 (missing airfoil) inform; the
  // range messages refuse an input.
  if (number != 44) noteError(text);
  return Answer::Ok;
}

void ConsolePlatform::showError(std::string_view caption, std::string_view text) {
  const std::string line = std::string(caption) + ": " + oneLine(text);
  std::cerr << "velarix-cli: " << line << '\n';
  noteError(line);
}

void ConsolePlatform::refreshWingDisplay(bool recompute) {
  if (!recompute || wing_ == nullptr || results_ == nullptr) return;
  try {
    computeWing(*wing_, *results_, *this);
    computeError_.reset();
  } catch (const std::exception& e) {
    computeError_ = e.what();
  }
}

void ConsolePlatform::showProgress(std::string_view label, int maximum) {
  label_ = label;
  maximum_ = maximum;
  progressShown_ = stderrIsTerminal();
  if (progressShown_) std::cerr << '\r' << label_ << std::flush;
}

void ConsolePlatform::setProgressLabel(std::string_view label) {
  label_ = label;
  if (progressShown_) std::cerr << "\r\033[K" << label_ << std::flush;
}

void ConsolePlatform::setProgressPosition(int position) {
  if (progressShown_ && maximum_ > 0) {
    std::cerr << "\r\033[K" << label_ << " (" << position << "/" << maximum_ << ")" << std::flush;
  }
}

void ConsolePlatform::hideProgress() {
  if (progressShown_) std::cerr << "\r\033[K" << std::flush;
  progressShown_ = false;
}

}  // namespace velarix::cli
