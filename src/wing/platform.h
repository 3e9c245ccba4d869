// The services the desktop provides to the core: message boxes, file dialogs,
// progress display, the redraw of the main window. The core receives a
// Platform& and never talks to a window itself, so every operation also runs
// headless: the GUI implements this with Qt, the command line prints, and
// the tests use a scripted fake.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "wing/real.h"

namespace velarix {

enum class Answer { Ok, Yes, No };

struct FileDialogRequest {
  std::string title;             // e.g. "Daten laden"
  std::string filter;            // e.g. "Flugzeugdaten *.flg|*.flg"
  std::string defaultExtension;  // e.g. "flg"
  std::string proposedName;
  std::filesystem::path initialDirectory;
  bool overwritePrompt = false;
  bool mustExist = false;
};

// Texts that the main window's design entries show after a computation.
struct DesignValueTexts {
  std::string wingAngleOfAttack;  // degrees, rounded to 6 decimals
  std::string liftCoefficient;    // CA, rounded to 3 decimals
  std::string stabilityMargin;    // SM, % of lu, rounded to 2 decimals
  std::string cgPosition;         // XD, m, rounded to 4 decimals
  std::string speed;              // v, m/s, rounded to 3 decimals
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows message `number` of the message table and returns the button
  // pressed (Ok for an OK box, Yes or No for a question).
  virtual Answer showMessage(int number) = 0;
  // An error box with its own caption and text (UTF-8, "\r" or "\n" breaks).
  virtual void showError(std::string_view caption, std::string_view text) = 0;

  // File dialogs; nothing on cancel.
  virtual std::optional<std::filesystem::path> chooseOpenFile(const FileDialogRequest&) {
    return std::nullopt;
  }
  virtual std::optional<std::filesystem::path> chooseSaveFile(const FileDialogRequest&) {
    return std::nullopt;
  }

  // The recompute-and-redraw cycle of the main window.
  virtual void refreshWingDisplay(bool /*recompute*/) {}
  // The marker bar moved and the wing did not change: the bar is drawn at
  // its new span position [m] and removed from the old one, then the readout
  // at the bar is refreshed. No recompute.
  virtual void moveMarkerBar(Real /*oldPosition*/, Real /*newPosition*/) {}
  // The drawing area is cleared (before a wing is loaded).
  virtual void clearDrawingArea() {}
  // The window caption shows the wing file name.
  virtual void showWingFileName(std::string_view /*fileName*/) {}

  // Progress of long work: a label and a bar from 0 to maximum.
  virtual void showProgress(std::string_view /*label*/, int /*maximum*/) {}
  virtual void setProgressLabel(std::string_view /*label*/) {}
  virtual void setProgressMaximum(int /*maximum*/) {}
  virtual void setProgressPosition(int /*position*/) {}
  virtual void hideProgress() {}

  // A wing has been computed: the controls that need one become usable.
  virtual void enableComputedWingControls() {}
  // The design entries show the values of the last computation.
  virtual void showDesignValues(const DesignValueTexts& /*texts*/) {}
};

}  // namespace velarix
