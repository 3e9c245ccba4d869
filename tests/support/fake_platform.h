// A scripted Platform for tests: records every message number, error and
// redraw, and answers Yes/No questions from a queue (Yes when it is empty).
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "wing/messages.h"
#include "wing/platform.h"

namespace velarix::testing {

class FakePlatform : public Platform {
 public:
  std::vector<int> messages;
  std::deque<Answer> answers;
  std::vector<std::pair<std::string, std::string>> errors;
  std::vector<bool> refreshes;  // recompute flag of every refreshWingDisplay
  std::optional<std::filesystem::path> openFile;
  std::optional<std::filesystem::path> saveFile;
  std::vector<std::string> progressLabels;
  std::vector<FileDialogRequest> dialogs;

  Answer showMessage(int number) override {
    messages.push_back(number);
    const auto entry = findMessage(number);
    if (entry && entry->buttons == MessageButtons::Ok) return Answer::Ok;
    if (answers.empty()) return Answer::Yes;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void showError(std::string_view caption, std::string_view text) override {
    errors.emplace_back(std::string(caption), std::string(text));
  }
  std::optional<std::filesystem::path> chooseOpenFile(const FileDialogRequest& r) override {
    dialogs.push_back(r);
    return openFile;
  }
  std::optional<std::filesystem::path> chooseSaveFile(const FileDialogRequest& r) override {
    dialogs.push_back(r);
    return saveFile;
  }
  void refreshWingDisplay(bool recompute) override { refreshes.push_back(recompute); }
  void showProgress(std::string_view label, int) override { progressLabels.emplace_back(label); }
  void setProgressLabel(std::string_view label) override { progressLabels.emplace_back(label); }
};

}  // namespace velarix::testing
