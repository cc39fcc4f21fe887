// The message catalogue: every kind has English words whose placeholders run %1, %2 ... without a
// gap, and a message fills them once, messages within messages in their own words.
#include "core/message/message.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace orvo;

TEST(MessageCatalogue, EveryKindHasWordsWithPlaceholdersFromOneUp)
{
    const std::regex placeholder("%([1-9])");
    for (const MessagePattern& entry : messagePatterns()) {
        const std::string pattern = entry.pattern;
        EXPECT_FALSE(pattern.empty()) << static_cast<int>(entry.kind);
        std::set<int> numbers;
        for (auto it = std::sregex_iterator(pattern.begin(), pattern.end(), placeholder);
             it != std::sregex_iterator(); ++it)
            numbers.insert(std::stoi((*it)[1]));
        EXPECT_TRUE(numbers.empty() || (*numbers.begin() == 1 &&
                                        *numbers.rbegin() == static_cast<int>(numbers.size())))
            << pattern;
    }
}

TEST(MessageCatalogue, ArgumentsAreFilledInOnce)
{
    const struct
    {
        std::string pattern;
        std::vector<std::string> args;
        std::string text;
    } cases[] = {
        {"%1: %2", {"a%2", "b"}, "a%2: b"}, // what an argument brings is never replaced
        {"%2 before %1", {"x", "y"}, "y before x"},
        {"%1 and %3", {"x"}, "x and %3"}, // a placeholder without its argument stays
        {"100% sure, %1", {"50%1"}, "100% sure, 50%1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fillPattern(c.pattern, c.args), c.text) << c.pattern;

    const Message nested{
        MessageKind::BlockDifference,
        {2, Message{MessageKind::FieldDifference, {"CH 1 Receive", "145.50000", "145.50010"}}}};
    EXPECT_EQ(messageText(nested), "block 2: CH 1 Receive: \"145.50000\" -> \"145.50010\"");
    EXPECT_EQ(messageText(
                  std::vector<Message>{MessageKind::NotWritten, {MessageKind::AndMoreLines, {3}}}),
              "The radio does not hold what was written:\n... and 3 more");
}
