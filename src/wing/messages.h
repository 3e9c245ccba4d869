// The numbered message table: every user message of the system is shown by
// its number through Platform::showMessage, never by its text.
#pragma once

#include <optional>
#include <string_view>

namespace velarix {

enum class MessageButtons { Ok, YesNo };

struct MessageEntry {
  int number;
  MessageButtons buttons;
  // UTF-8; "\r" is a line break inside the message.
  std::string_view text;
};

// The entry of a message number, or nothing for a number without message
// (3, 7, 11, ...).
std::optional<MessageEntry> findMessage(int number);

// Every entry, in ascending number.
const MessageEntry* messageTableBegin();
const MessageEntry* messageTableEnd();

}  // namespace velarix
