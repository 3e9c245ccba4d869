#include "wing/messages.h"

#include <gtest/gtest.h>

#include <set>

namespace velarix {
namespace {

TEST(MessageTable, HoldsTheNumberedMessagesOnly) {
  std::set<int> numbers;
  for (const MessageEntry* m = messageTableBegin(); m != messageTableEnd(); ++m) {
    EXPECT_TRUE(numbers.insert(m->number).second) << "duplicate " << m->number;
    EXPECT_FALSE(m->text.empty());
  }
  EXPECT_EQ(numbers.size(), 26u);
  for (int missing : {3, 7, 11, 12, 13, 15, 17, 18, 19, 20, 21, 26, 27, 28, 29, 30, 31, 36}) {
    EXPECT_FALSE(findMessage(missing).has_value()) << missing;
  }
}

TEST(MessageTable, QuestionsHaveYesNoButtons) {
  for (const MessageEntry* m = messageTableBegin(); m != messageTableEnd(); ++m) {
    const bool question = m->number == 5 || m->number == 6;
    EXPECT_EQ(m->buttons == MessageButtons::YesNo, question) << m->number;
  }
}

TEST(MessageTable, KeepsTextsLineBreaksAndBlanksExactly) {
  EXPECT_EQ(findMessage(2)->text,
            "Achtung Bereichsunterschreitung.\rBitte nur Werte größer 0.001 m eingeben.");
  EXPECT_EQ(findMessage(14)->text,
            "Achtung: Die X-Koordinate der Flügelmitte \rkann nicht geändert werden.");
  EXPECT_EQ(findMessage(43)->text,
            "In das Feld Re-Zahlen wurden falsche Werte eingetragen !\rBitte nur Zahlenwerte >= "
            "1000 eingeben z.B. \r1000 , 10000 , 50000 , 100000 , 200000 usw. ");
  EXPECT_EQ(findMessage(44)->text.substr(0, 22), "Seit der Velarixversio");
}

}  // namespace
}  // namespace velarix
