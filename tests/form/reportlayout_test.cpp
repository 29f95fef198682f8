// SPDX-License-Identifier: GPL-3.0-or-later
// The report's layout: column width, column moves, line advance, page breaks and emphasis,
// measured with a font in which every character is one column wide and every line one unit high,
// so that positions read as columns and line numbers; and the date line's midnight rule.

#include "form/reportlayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using form::ReportDocument;
using form::ReportItem;
using form::ReportLine;
using Places = std::vector<std::string>;

constexpr double kUnlimited = std::numeric_limits<double>::infinity();

double CharCount(std::string_view text, bool, bool)
{
    return double(text.size());
}

form::ReportLayout Layout(const ReportDocument &document, double pageHeight = kUnlimited)
{
    return form::LayoutReport(document, {1.0, pageHeight}, CharCount);
}

// Each run as "page:y:column text".
Places Where(const form::ReportLayout &layout)
{
    Places out;
    for (const form::PlacedRun &run : layout.runs)
        out.push_back(std::to_string(run.page) + ':' + std::to_string(int(run.y)) + ':' +
                      std::to_string(int(run.x) + 1) + ' ' + run.text);
    return out;
}

ReportLine Row(const std::string &name, const std::string &amount, const std::string &attributes)
{
    return {{ReportItem::Column(1), ReportItem::Text(name), ReportItem::Column(40),
             ReportItem::Text(amount), ReportItem::Column(49), ReportItem::Text(attributes),
             ReportItem::Column(66), ReportItem::Text("10"), ReportItem::Column(80),
             ReportItem::Text("5")}};
}

ReportLine Text(const std::string &text)
{
    return {{ReportItem::Text(text)}};
}

struct LayoutCase {
    const char *name;
    ReportDocument document;
    double pageHeight;
    Places places;
    int physicalLines;
    int pageCount;
};

const std::string n39(39, 'n');
const std::string n40(40, 'n');
const std::string n45(45, 'n');
const std::string n50(50, 'n');

const LayoutCase kLayoutCases[] = {
    {"blank lines advance one line each",
     {{ReportLine{}, ReportLine{}, Text("third")}},
     kUnlimited,
     {"0:2:1 third"},
     3,
     1},
    {"a row that fits stays on one line",
     {{Row("Dagger", "2", "(Silver)")}},
     kUnlimited,
     {"0:0:1 Dagger", "0:0:40 2", "0:0:49 (Silver)", "0:0:66 10", "0:0:80 5"},
     1,
     1},
    {"a name ending at the start of the next column is not past it",
     {{Row(n39, "2", "")}},
     kUnlimited,
     {"0:0:1 " + n39, "0:0:40 2", "0:0:66 10", "0:0:80 5"},
     1,
     1},
    {"a long name pushes the rest of the row to the next line",
     {{Row(n40, "2", "(SR: 4)"), Text("after")}},
     kUnlimited,
     {"0:0:1 " + n40, "0:1:40 2", "0:1:49 (SR: 4)", "0:1:66 10", "0:1:80 5", "0:2:1 after"},
     3,
     1},
    {"each value that runs past the next column pushes again",
     {{Row(n45, "123456789012", "(Silver)")}},
     kUnlimited,
     {"0:0:1 " + n45, "0:1:40 123456789012", "0:2:49 (Silver)", "0:2:66 10", "0:2:80 5"},
     3,
     1},
    {"empty texts hold their column without a run",
     {{Row("", "2", "")}},
     kUnlimited,
     {"0:0:40 2", "0:0:66 10", "0:0:80 5"},
     1,
     1},
    {"a line that does not fit starts the next page at its top",
     {{Text("0"), Text("1"), Text("2"), Text("3"), Text("4"), Text("5"), Text("6")}},
     3.0,
     {"0:0:1 0", "0:1:1 1", "0:2:1 2", "1:0:1 3", "1:1:1 4", "1:2:1 5", "2:0:1 6"},
     7,
     3},
    {"a page break falls inside a pushed row and nothing repeats",
     {{Text("a"), Text("b"), Row(n50, "2", "")}},
     3.0,
     {"0:0:1 a", "0:1:1 b", "0:2:1 " + n50, "1:0:40 2", "1:0:66 10", "1:0:80 5"},
     4,
     2},
    {"a line ending exactly at the page bottom fits",
     {{Text("a"), Text("b")}},
     2.0,
     {"0:0:1 a", "0:1:1 b"},
     2,
     1},
    {"a blank line that does not fit moves to the next page too",
     {{Text("a"), ReportLine{}, Text("c")}},
     1.5,
     {"0:0:1 a", "2:0:1 c"},
     3,
     3},
    {"a page shorter than a line takes one line each",
     {{Text("a"), Text("b")}},
     0.5,
     {"0:0:1 a", "1:0:1 b"},
     2,
     2},
};

TEST(ReportLayout, PlacesEveryTextAtItsColumnLineAndPage)
{
    for (const LayoutCase &c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        const form::ReportLayout layout = Layout(c.document, c.pageHeight);
        EXPECT_EQ(Where(layout), c.places);
        EXPECT_EQ(layout.physicalLines, c.physicalLines);
        EXPECT_EQ(layout.pageCount, c.pageCount);
        // The line count runs on across pages: the web page flows the lines itself.
        if (c.pageHeight == kUnlimited) {
            for (const form::PlacedRun &run : layout.runs)
                EXPECT_EQ(run.line, int(run.y));
        }
        EXPECT_EQ(layout.runs.back().line + 1, c.physicalLines);
    }
}

TEST(ReportLayout, ColumnNStartsNMinusOneColumnWidthsFromTheMargin)
{
    const auto wide = [](std::string_view text, bool, bool) { return 7.5 * double(text.size()); };
    const ReportDocument document{{{{ReportItem::Column(30), ReportItem::Text("Total Cost")}}}};
    const form::ReportLayout layout = form::LayoutReport(document, {20, kUnlimited}, wide);
    ASSERT_EQ(layout.runs.size(), 1u);
    EXPECT_EQ(layout.columnWidth, 7.5);
    EXPECT_EQ(layout.runs[0].x, 29 * 7.5);
    EXPECT_EQ(layout.runs[0].y, 0.0);
}

// Arial's advances (2048 units to the em) weighted as the OS/2 table's version 0 to 2 did give
// its stored xAvgCharWidth, 904: a wrong weight moves every column.
TEST(ReportLayout, ColumnWidthIsArialsAverageCharacterWidth)
{
    const std::map<char, double> arial{
        {'a', 1139}, {'b', 1139}, {'c', 1024}, {'d', 1139}, {'e', 1139}, {'f', 569},  {'g', 1139},
        {'h', 1139}, {'i', 455},  {'j', 455},  {'k', 1024}, {'l', 455},  {'m', 1706}, {'n', 1139},
        {'o', 1139}, {'p', 1139}, {'q', 1139}, {'r', 682},  {'s', 1024}, {'t', 569},  {'u', 1139},
        {'v', 1024}, {'w', 1479}, {'x', 1024}, {'y', 1024}, {'z', 1024}, {' ', 569}};
    int measuredBold = 0;
    const double width = form::ColumnWidth([&](std::string_view text, bool underline, bool bold) {
        measuredBold += underline || bold;
        return text.size() == 1 ? arial.at(text[0]) : 0.0;
    });
    EXPECT_EQ(std::lround(width), 904);
    EXPECT_EQ(measuredBold, 0); // the plain font sets the columns
}

TEST(ReportLayout, EachRunCarriesItsLinesEmphasisAndIsMeasuredInIt)
{
    ReportLine rule{{ReportItem::Column(1), ReportItem::Spaces(80)}};
    rule.underline = true;
    ReportLine closing = Text("End of List");
    closing.closingEmphasis = true;
    std::vector<std::string> boldMeasured;
    const auto measure = [&](std::string_view text, bool, bool bold) {
        if (bold)
            boldMeasured.emplace_back(text);
        return double(text.size());
    };
    const form::ReportLayout layout =
        form::LayoutReport({{rule, closing, Text("plain")}}, {1.0, kUnlimited}, measure);
    ASSERT_EQ(layout.runs.size(), 3u);
    EXPECT_EQ(layout.runs[0].text, std::string(80, ' '));
    EXPECT_TRUE(layout.runs[0].underline);
    EXPECT_FALSE(layout.runs[0].bold);
    EXPECT_FALSE(layout.runs[1].underline);
    EXPECT_TRUE(layout.runs[1].bold);
    EXPECT_FALSE(layout.runs[2].underline || layout.runs[2].bold);
    EXPECT_EQ(boldMeasured, std::vector<std::string>{"End of List"});
}

TEST(ReportLayout, DateLineLeavesOutAMidnightTime)
{
    struct Case {
        int hour, minute, second;
        const char *expected;
    };
    const Case cases[] = {
        {14, 5, 9, "3/7/26 2:05:09 PM"}, {0, 0, 0, "3/7/26"},
        {0, 0, 1, "3/7/26 2:05:09 PM"},  {0, 1, 0, "3/7/26 2:05:09 PM"},
        {1, 0, 0, "3/7/26 2:05:09 PM"},  {12, 0, 0, "3/7/26 2:05:09 PM"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(form::DateText("3/7/26", "2:05:09 PM", c.hour, c.minute, c.second), c.expected)
            << c.hour << ':' << c.minute << ':' << c.second;
}

} // namespace
