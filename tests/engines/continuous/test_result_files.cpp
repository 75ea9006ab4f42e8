// Number forms of the result files and of the brief results.
#include <gtest/gtest.h>

#include "engines/continuous/number_format.h"
#include "engines/continuous/result_files.h"
#include "engines/continuous/run_reports.h"
#include "tests/engines/continuous/flowrun_test_support.h"

namespace flowrun {
namespace {

std::string fileText(const std::vector<ResultFile>& files, const std::string& name)
{
    for (const ResultFile& file : files) {
        if (file.name == name)
            return file.text;
    }
    ADD_FAILURE() << name << " missing";
    return {};
}

// One place, two transitions; state 1 lasts 2 with speeds 2.5 and 3, state 2 is the last.
EngineRun twoStates()
{
    EngineRun run;
    run.states.push_back(IbState{{4}, {2.5f, 3}, 2, {-2}});
    run.states.push_back(IbState{{kZeroPlus}, {0, 0}, 0, {0.5f}});
    run.finalMarking = {1.25f};
    return run;
}

TEST(ReportText, DropsTextPastItsLimitUntilLifted)
{
    Report report;
    report.limitTo(10);
    report << "12345";
    report.format("%s", "678901");
    report << "x";
    report.unlimit();
    report << "end";
    const std::string& text = report.pending();
    EXPECT_EQ(text.find("12345"), 0u);
    EXPECT_EQ(text.find("678901"), std::string::npos);
    EXPECT_EQ(text.find("x"), std::string::npos);
    EXPECT_NE(text.find("The trace is cut here"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "end");
}

TEST(NumberForms, IntegerAndResultForms)
{
    EXPECT_EQ(integerForm(3, "%4.2f"), "3");
    EXPECT_EQ(integerForm(-2, "%4.2f"), "-2");
    EXPECT_EQ(integerForm(2.5f, "%4.2f"), "2.50");
    EXPECT_EQ(integerForm(1e20f, "%4.2f"), "100000002004087734272.00");
    EXPECT_EQ(resultForm(3.00005f, "%4.2f"), "3");
    EXPECT_EQ(resultForm(3.5f, "%6.4f"), "3.5000");
    EXPECT_EQ(markingText(kZeroPlus, "%4.2f", "0+"), "0+");
    EXPECT_EQ(htmlEscape("a<b>&c"), "a&lt;b&gt;&amp;c");
}

TEST(ResultFiles, FormsOfPlacesAndTransitionsTables)
{
    const std::vector<ResultFile> files = resultFiles(twoStates(), 1, 2);
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0].name, "P1.rez");
    EXPECT_EQ(files[1].name, "P.rez");
    EXPECT_EQ(files[2].name, "T.rez");
    EXPECT_EQ(files[4].name, "T2.rez");
    EXPECT_EQ(fileText(files, "P.rez"), "2\n2\t4\n\t1.25\n\t0.50\n");
    // A speed of 2.5 has four decimals in T.rez and two in T1.rez; 3 is an integer.
    EXPECT_EQ(fileText(files, "T.rez"), "2\n2\t2.5000\t3\n0\t0\t0\n");
    EXPECT_EQ(fileText(files, "T1.rez"), "2\n2.50\n2.00\n0.00\n");
    // A 0+ marking is 0 in the per-place file.
    EXPECT_EQ(fileText(files, "P1.rez"), "2\n4.00\n2.00\n0\n0.50\n");
}

TEST(ResultFiles, SingleStateRunAndZeroPlusCodes)
{
    EngineRun run;
    run.states.push_back(IbState{{1, 0}, {kInfiniteSpeed}, kInfiniteDuration, {0, 2}});
    run.finalMarking = {kZeroPlus, 0};
    const std::vector<ResultFile> files = resultFiles(run, 2, 1);
    EXPECT_EQ(fileText(files, "P.rez"), "1\n\t-1\t0\n\t0\t2\n");
    EXPECT_EQ(fileText(files, "T.rez"), "1\n-1\t-1\n");
    EXPECT_EQ(fileText(files, "T1.rez"), "1\n-1.00\n");
}

TEST(ResultFiles, WrittenThroughTemporaryNamesAndOldOnesRemoved)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    test::writeText(folder.file("old.Rez"), "x");
    test::writeText(folder.file("keep.txt"), "x");
    removeOldResults();
    EXPECT_FALSE(std::filesystem::exists(folder.file("old.Rez")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("keep.txt")));

    std::string message;
    ASSERT_TRUE(writeResultFiles(resultFiles(twoStates(), 1, 2), message));
    EXPECT_EQ(test::readText(folder.file("P.rez")), "2\n2\t4\n\t1.25\n\t0.50\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("P.rez.tmp")));
}

TEST(ResultFiles, FailureLeavesNoPartialSet)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    std::filesystem::create_directory(folder.file("T.rez"));  // cannot be replaced by a file
    std::string message;
    EXPECT_FALSE(writeResultFiles(resultFiles(twoStates(), 1, 2), message));
    EXPECT_NE(message.find("T.rez"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("P.rez")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("P1.rez")));
}

TEST(BriefResults, TimeSpansAndMarkingFunctions)
{
    Report longReport;
    Report brief;
    writeBriefResults(longReport, brief, "net <1>", twoStates());
    const std::string& text = brief.pending();
    EXPECT_NE(text.find("OUTPUT DATA of net &lt;1&gt;:"), std::string::npos) << text;
    EXPECT_NE(text.find("m(0) = (4)</font><br></dir>IB-state 1, t from 0 to 2"), std::string::npos) << text;
    EXPECT_NE(text.find("V = ( 2.50, 3 )"), std::string::npos) << text;
    EXPECT_NE(text.find("m<sub>1</sub>(t) = 4 - 2*t<br>"), std::string::npos) << text;
    EXPECT_NE(text.find("m(2) = (0<sup>+</sup>)</font><br></dir>IB-state 2, t =0"), std::string::npos) << text;
    EXPECT_NE(text.find("m<sub>1</sub>(t) =1.25\n<br>"), std::string::npos) << text;
    const std::string& full = longReport.pending();
    EXPECT_NE(full.find("IB-state 2<br>"), std::string::npos);
    EXPECT_NE(full.find("The phase duration is <font color=#0000ff>0.0000</font>"), std::string::npos) << full;
}

TEST(BriefResults, LaterStateFunctionsShiftByTheStartTime)
{
    EngineRun run;
    run.states.push_back(IbState{{4, 0}, {1}, 2, {-1, 1}});
    run.states.push_back(IbState{{2, 2}, {1}, kInfiniteDuration, {-0.5f, 1}});
    run.finalMarking = {2, 2};
    Report longReport;
    Report brief;
    writeBriefResults(longReport, brief, "t", run);
    const std::string& text = brief.pending();
    EXPECT_NE(text.find("m<sub>1</sub>(t) = 4 - t<br>"), std::string::npos) << text;
    EXPECT_NE(text.find("m<sub>2</sub>(t) = t<br>"), std::string::npos) << text;
    EXPECT_NE(text.find("IB-state 2, t from 2 to infinite"), std::string::npos) << text;
    EXPECT_NE(text.find("m<sub>1</sub>(t) = 2 - 0.50*(t - 2)<br>"), std::string::npos) << text;
    EXPECT_NE(longReport.pending().find("The phase duration is <font color=#0000ff>infinite</font>"), std::string::npos);
}

}  // namespace
}  // namespace flowrun
