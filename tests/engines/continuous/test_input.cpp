// Reading "date.dat": tokens, counts, the conflict block and the title.
#include <gtest/gtest.h>

#include <cmath>

#include "engines/continuous/net_reader.h"
#include "engines/continuous/token_reader.h"

namespace flowrun {
namespace {

TEST(TokenReader, RepeatsTheLastTokenPastTheEnd)
{
    TokenReader tokens(" 1\t2\r\n3 ");
    EXPECT_EQ(tokens.next(), "1");
    EXPECT_EQ(tokens.next(), "2");
    EXPECT_EQ(tokens.next(), "3");
    EXPECT_EQ(tokens.next(), "3");
    EXPECT_EQ(tokens.next(), "3");
}

TEST(TokenReader, SplitsTokensLongerThanThirtyOneCharacters)
{
    const std::string longToken(40, '7');
    TokenReader tokens(longToken);
    EXPECT_EQ(tokens.next(), std::string(31, '7'));
    EXPECT_EQ(tokens.next(), std::string(9, '7'));
}

TEST(TokenReader, ConvertsNumbersLikeTheCRuntimeInTheCLocale)
{
    EXPECT_EQ(parseCount("12abc"), 12);
    EXPECT_EQ(parseCount("-3"), -3);
    EXPECT_EQ(parseCount("x"), 0);
    EXPECT_EQ(parseCount("99999999999999999999"), 1000000000000LL);
    EXPECT_DOUBLE_EQ(parseReal("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(parseReal("+1.5e1"), 15);
    EXPECT_DOUBLE_EQ(parseReal("1,5"), 1);
    EXPECT_DOUBLE_EQ(parseReal("abc"), 0);
    // Numbers that are not finite are kept apart so that the reader can refuse them.
    EXPECT_TRUE(std::isnan(parseReal("nan")));
    EXPECT_TRUE(std::isnan(parseReal("inf")));
    EXPECT_TRUE(std::isnan(parseReal("1e999")));
    EXPECT_DOUBLE_EQ(parseReal("1e-999"), 0);
}

ContinuousNet read(const std::string& text, ReadOutcome* outcome = nullptr)
{
    ContinuousNet net;
    Report report;
    const ReadOutcome result = readNet(text, net, report);
    if (outcome)
        *outcome = result;
    return net;
}

TEST(NetReader, ReadsMatricesMarkingsAndSpeeds)
{
    const ContinuousNet net = read("t\n2 1\n1\n0\n0\n2\n-1 3\n-1\n");
    ASSERT_EQ(net.n, 2);
    ASSERT_EQ(net.m, 1);
    EXPECT_EQ(net.incidence(0, 0), -1);
    EXPECT_EQ(net.incidence(1, 0), 2);
    EXPECT_EQ(net.m0[0], kZeroPlus);
    EXPECT_EQ(net.m0[1], 3);
    EXPECT_EQ(net.maxSpeed[0], kInfiniteSpeed);
}

TEST(NetReader, PlaceWithOneOutputReadsNoPriorityAndGetsZero)
{
    // The trailing 9 would be read as a priority if the single output place read one.
    const ContinuousNet net = read("t\n1 2\n1 0\n0 0\n5\n1 1\n9\n");
    EXPECT_EQ(net.priority(0, 0), 0);
    EXPECT_EQ(net.priority(0, 1), -1);
    EXPECT_EQ(net.shareRatio(0, 0), 0);
}

TEST(NetReader, EqualPrioritiesReadTheirRatiosAtTheFirstPair)
{
    // P1 has outputs T1, T2, T3 with priorities 1, 1, 2: ratios for T1 and T2 only.
    const ContinuousNet net = read("t\n1 3\n1 1 1\n0 0 0\n5\n1 1 1\n1 1 2\n0.25 0.75\n");
    EXPECT_EQ(net.priority(0, 0), 1);
    EXPECT_EQ(net.priority(0, 1), 1);
    EXPECT_EQ(net.priority(0, 2), 2);
    EXPECT_FLOAT_EQ(net.shareRatio(0, 0), 0.25f);
    EXPECT_FLOAT_EQ(net.shareRatio(0, 1), 0.75f);
    EXPECT_EQ(net.shareRatio(0, 2), 0);
}

TEST(NetReader, ARatioReadAsZeroIsReadAgainAtTheNextPair)
{
    // Class T1, T2, T3: pair T1-T2 reads 0 for T1 and 2 for T2; pair T1-T3 reads T1 again (4)
    // and T3 (6); pair T2-T3 reads nothing.
    const ContinuousNet net = read("t\n1 3\n1 1 1\n0 0 0\n5\n1 1 1\n3 3 3\n0 2 4 6 8\n");
    EXPECT_EQ(net.shareRatio(0, 0), 4);
    EXPECT_EQ(net.shareRatio(0, 1), 2);
    EXPECT_EQ(net.shareRatio(0, 2), 6);
}

TEST(NetReader, NetWithoutConflictsReadsNoConflictData)
{
    const ContinuousNet net = read("t\n2 2\n1 0\n0 1\n0 0\n0 0\n1 1\n1 1\n");
    EXPECT_EQ(net.priority(0, 0), 0);
    EXPECT_EQ(net.priority(1, 1), 0);
    EXPECT_EQ(net.priority(0, 1), -1);
}

TEST(NetReader, LongTitleIsCutAndItsRestReadAsTokens)
{
    const std::string title(254, 'a');
    ReadOutcome outcome;
    const ContinuousNet net = read(title + "1 1\n1\n0\n2\n3\n", &outcome);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(net.title, title);
    EXPECT_EQ(net.n, 1);
    EXPECT_EQ(net.maxSpeed[0], 3);
    std::string shortTitle;
    splitTitle("name\r\nrest", shortTitle);
    EXPECT_EQ(shortTitle, "name\r\n");
}

TEST(NetReader, RefusesCountsOutsideTheSafetyBounds)
{
    for (const char* text : {"", "t\n", "t\n-1 2\n", "t\n2 -1\n", "t\n0 0\n", "t\n1 10000\n", "t\n10000 1\n",
                             "t\n5000 5000\n"}) {
        ReadOutcome outcome;
        read(text, &outcome);
        EXPECT_FALSE(outcome.ok) << text;
        EXPECT_FALSE(outcome.message.empty()) << text;
    }
    ReadOutcome outcome;
    std::string widest = "t\n1 9999\n";
    for (int value = 0; value < 2 * 9999 + 1 + 9999; ++value)
        widest += "0 ";
    read(widest, &outcome);
    EXPECT_TRUE(outcome.ok) << outcome.message;
}

TEST(NetReader, EchoesTheInputIntoTheLongReport)
{
    ContinuousNet net;
    Report report;
    ASSERT_TRUE(readNet("t\n2 1\n1\n0\n0\n1\n-1 2.5\n1\n", net, report).ok);
    const std::string& text = report.pending();
    EXPECT_NE(text.find("Introduce the number of places:\n <font color=#0000aa>2</font>"), std::string::npos);
    EXPECT_NE(text.find("M<sub>0</sub>&nbsp;=&nbsp;[&nbsp;0+, 2.50 ]"), std::string::npos);
    EXPECT_NE(text.find("<td align=center><b>&nbsp;<font color=#0000aa>-1</td>"), std::string::npos);
    EXPECT_NE(text.find("V<sub>j</sub>&nbsp;=&nbsp;[&nbsp;1 ]"), std::string::npos);
}

}  // namespace
}  // namespace flowrun
