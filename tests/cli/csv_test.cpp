#include "image/csv.h"

#include <gtest/gtest.h>

namespace orvo::cli {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvParse, SplitsRecordsOnCrlfOrLfAndKeepsEmptyFields)
{
    const CsvParse p = parseCsv("a,b,\r\n,c\n\nlast");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.records.size(), 4u);
    EXPECT_EQ(p.records[0].fields, (Fields{"a", "b", ""}));
    EXPECT_EQ(p.records[1].fields, (Fields{"", "c"}));
    EXPECT_EQ(p.records[2].fields, (Fields{""}));
    EXPECT_EQ(p.records[3].fields, (Fields{"last"}));
    EXPECT_EQ(p.records[3].line, 4);
    EXPECT_TRUE(parseCsv("").records.empty());
    EXPECT_EQ(parseCsv("x\r\n").records.size(), 1u);
}

TEST(CsvParse, QuotedFieldsHoldCommasQuotesAndLineBreaks)
{
    const CsvParse p =
        parseCsv("\xEF\xBB\xBF\"a,b\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",x\r\nnext");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.records.size(), 3u);
    EXPECT_EQ(p.records[0].fields, (Fields{"a,b", "say \"hi\""}));
    EXPECT_EQ(p.records[1].fields, (Fields{"two\nlines", "x"}));
    EXPECT_EQ(p.records[2].line, 4);
    EXPECT_EQ(parseCsv("ab\"c").records[0].fields, (Fields{"ab\"c"}));
}

TEST(CsvParse, MalformedQuotingIsAnErrorNamingTheLine)
{
    CsvParse p = parseCsv("ok\n\"open");
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "line 2: a quoted field is not closed");
    p = parseCsv("ok\nok\n\"a\"b,c");
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "line 3: text follows a closing quote");
}

TEST(CsvLine, QuotesOnlyWhatMustBeQuotedAndParsesBack)
{
    EXPECT_EQ(csvLine({"1", "446.00625", ""}), "1,446.00625,\r\n");
    const Fields odd{"a,b", "q\"q", "line\nbreak", " blank "};
    const std::string line = csvLine(odd);
    EXPECT_EQ(line, "\"a,b\",\"q\"\"q\",\"line\nbreak\", blank \r\n");
    EXPECT_EQ(parseCsv(line).records.at(0).fields, odd);
}

} // namespace
} // namespace orvo::cli
