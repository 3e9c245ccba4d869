// The command line's Platform: messages and errors go to stderr (German, as
// in the windows), questions are answered Yes, a requested recompute runs the
// wing computation, and progress is shown on stderr when it is a terminal.
#pragma once

#include <optional>
#include <string>

#include "compute/wing_computation.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix::cli {

class ConsolePlatform : public Platform {
 public:
  // The wing and results that a requested recompute works on.
  void attach(TWing* wing, WingResults* results) {
    wing_ = wing;
    results_ = results;
  }

  // What the messages that follow are about (a file, or a file and an
  // option): it heads their line on stderr.
  void setSubject(std::string subject) { subject_ = std::move(subject); }

  Answer showMessage(int number) override;
  void showError(std::string_view caption, std::string_view text) override;
  void refreshWingDisplay(bool recompute) override;
  void showProgress(std::string_view label, int maximum) override;
  void setProgressLabel(std::string_view label) override;
  void setProgressMaximum(int maximum) override { maximum_ = maximum; }
  void setProgressPosition(int position) override;
  void hideProgress() override;

  // The first error shown (message box or error box), for the exit status.
  const std::optional<std::string>& firstError() const { return firstError_; }
  bool errorShown() const { return firstError_.has_value(); }
  // A computation that failed during the last recompute.
  const std::optional<std::string>& computeError() const { return computeError_; }
  void clearErrors() {
    firstError_.reset();
    computeError_.reset();
  }

 private:
  void noteError(std::string text);

  TWing* wing_ = nullptr;
  WingResults* results_ = nullptr;
  std::optional<std::string> firstError_;
  std::optional<std::string> computeError_;
  std::string subject_;
  std::string label_;
  int maximum_ = 0;
  bool progressShown_ = false;
};

// Whether the input file exists and is no directory; if not, says so on
// stderr in one line that names it.
bool fileReadable(const std::string& file);

// Like fileReadable, and the wing file parses: otherwise one line names the
// file, the line and the fault (the loader's own error box speaks of the
// windows' "previous wing").
bool wingFileReadable(const std::string& file);

// "\r" line breaks of the message texts as one line for a terminal.
std::string oneLine(std::string_view text);

}  // namespace velarix::cli
