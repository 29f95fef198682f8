// SPDX-License-Identifier: GPL-3.0-or-later
// Column moves, line advance and page breaks of the report, measured with a font in which every
// character is one column wide and every line one unit high, so positions read as columns and
// line numbers.

#include "report/reportlayout.h"

#include <QTest>

using form::ReportDocument;
using form::ReportItem;
using form::ReportLine;
using report::PageMetrics;
using report::PlacedRun;

namespace {

constexpr double kUnlimited = 1e9;

double CharCount(const QString &text, bool, bool)
{
    return double(text.size());
}

report::ReportLayout Layout(const ReportDocument &document, double pageHeight = kUnlimited)
{
    return report::LayoutReport(document, PageMetrics{1.0, 1.0, pageHeight}, CharCount);
}

// A run as "page:line:column text".
QString Where(const PlacedRun &run)
{
    return QStringLiteral("%1:%2:%3 %4").arg(run.page).arg(run.y).arg(run.x + 1).arg(run.text);
}

QStringList Where(const report::ReportLayout &layout)
{
    QStringList out;
    for (const PlacedRun &run : layout.runs)
        out << Where(run);
    return out;
}

ReportLine Row(const QString &name, const QString &amount, const QString &attributes)
{
    return {{ReportItem::Column(1), ReportItem::Text(name.toStdString()), ReportItem::Column(40),
             ReportItem::Text(amount.toStdString()), ReportItem::Column(49),
             ReportItem::Text(attributes.toStdString()), ReportItem::Column(66),
             ReportItem::Text("10"), ReportItem::Column(80), ReportItem::Text("5")}};
}

ReportLine Text(const QString &text)
{
    return {{ReportItem::Text(text.toStdString())}};
}

} // namespace

class ReportLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void column_n_starts_n_minus_one_character_widths_from_the_margin()
    {
        const ReportDocument document{{{{ReportItem::Column(30), ReportItem::Text("Total Cost")}}}};
        const report::ReportLayout layout =
            report::LayoutReport(document, PageMetrics{7.5, 20, kUnlimited}, CharCount);
        QCOMPARE(layout.runs.size(), std::size_t(1));
        QCOMPARE(layout.runs[0].x, 29 * 7.5);
        QCOMPARE(layout.runs[0].y, 0.0);
    }

    void blank_lines_advance_one_line_each()
    {
        const ReportDocument document{{ReportLine{}, ReportLine{}, Text("third")}};
        const report::ReportLayout layout = Layout(document);
        QCOMPARE(Where(layout), QStringList{"0:2:1 third"});
        QCOMPARE(layout.physicalLines, 3);
    }

    void a_row_that_fits_stays_on_one_line()
    {
        const report::ReportLayout layout = Layout({{Row("Dagger", "2", "(Silver)")}});
        QCOMPARE(Where(layout), (QStringList{"0:0:1 Dagger", "0:0:40 2", "0:0:49 (Silver)",
                                             "0:0:66 10", "0:0:80 5"}));
    }

    void name_ending_at_the_start_of_the_next_column_is_not_past_it()
    {
        const QString name(39, QLatin1Char('n'));
        const report::ReportLayout layout = Layout({{Row(name, "2", QString())}});
        QCOMPARE(Where(layout).at(1), QStringLiteral("0:0:40 2"));
        QCOMPARE(layout.physicalLines, 1);
    }

    void long_name_pushes_the_rest_of_the_row_to_the_next_line()
    {
        const QString name(40, QLatin1Char('n'));
        const report::ReportLayout layout = Layout({{Row(name, "2", "(SR: 4)"), Text("after")}});
        QCOMPARE(Where(layout), (QStringList{"0:0:1 " + name, "0:1:40 2", "0:1:49 (SR: 4)",
                                             "0:1:66 10", "0:1:80 5", "0:2:1 after"}));
        QCOMPARE(layout.physicalLines, 3);
    }

    void each_value_that_runs_past_the_next_column_pushes_again()
    {
        const QString name(45, QLatin1Char('n'));
        const QString amount = QStringLiteral("123456789012"); // columns 40..51, past 49
        const report::ReportLayout layout = Layout({{Row(name, amount, "(Silver)")}});
        QCOMPARE(Where(layout), (QStringList{"0:0:1 " + name, "0:1:40 " + amount, "0:2:49 (Silver)",
                                             "0:2:66 10", "0:2:80 5"}));
    }

    void empty_texts_hold_their_column_without_a_run()
    {
        const report::ReportLayout layout = Layout({{Row(QString(), "2", QString())}});
        QCOMPARE(Where(layout), (QStringList{"0:0:40 2", "0:0:66 10", "0:0:80 5"}));
    }

    void underlined_spaces_are_placed_as_a_run_with_the_emphasis()
    {
        ReportLine rule{{ReportItem::Column(1), ReportItem::Spaces(80)}};
        rule.underline = true;
        ReportLine closing = Text("End of List");
        closing.closingEmphasis = true;
        const report::ReportLayout layout = Layout({{rule, closing}});
        QCOMPARE(layout.runs.size(), std::size_t(2));
        QCOMPARE(layout.runs[0].text, QString(80, QLatin1Char(' ')));
        QVERIFY(layout.runs[0].underline);
        QVERIFY(!layout.runs[0].bold);
        QVERIFY(!layout.runs[1].underline);
        QVERIFY(layout.runs[1].bold);
    }

    void line_that_does_not_fit_starts_the_next_page_at_its_top()
    {
        ReportDocument document;
        for (int i = 0; i < 7; ++i)
            document.lines.push_back(Text(QString::number(i)));
        const report::ReportLayout layout = Layout(document, 3.0);
        QCOMPARE(Where(layout), (QStringList{"0:0:1 0", "0:1:1 1", "0:2:1 2", "1:0:1 3", "1:1:1 4",
                                             "1:2:1 5", "2:0:1 6"}));
        QCOMPARE(layout.pageCount, 3);
    }

    void page_break_falls_inside_a_pushed_row_and_nothing_repeats()
    {
        const QString name(50, QLatin1Char('n'));
        const report::ReportLayout layout =
            Layout({{Text("a"), Text("b"), Row(name, "2", QString())}}, 3.0);
        QCOMPARE(Where(layout), (QStringList{"0:0:1 a", "0:1:1 b", "0:2:1 " + name, "1:0:40 2",
                                             "1:0:66 10", "1:0:80 5"}));
        QCOMPARE(layout.pageCount, 2);
    }

    void line_ending_exactly_at_the_page_bottom_fits()
    {
        const report::ReportLayout layout = Layout({{Text("a"), Text("b")}}, 2.0);
        QCOMPARE(layout.pageCount, 1);
    }

    void blank_line_that_does_not_fit_moves_to_the_next_page_too()
    {
        const report::ReportLayout layout = Layout({{Text("a"), ReportLine{}, Text("c")}}, 1.5);
        QCOMPARE(Where(layout), (QStringList{"0:0:1 a", "2:0:1 c"}));
        QCOMPARE(layout.pageCount, 3);
    }

    void page_shorter_than_a_line_takes_one_line_each()
    {
        const report::ReportLayout layout = Layout({{Text("a"), Text("b")}}, 0.5);
        QCOMPARE(Where(layout), (QStringList{"0:0:1 a", "1:0:1 b"}));
    }
};

QTEST_APPLESS_MAIN(ReportLayoutTest)
#include "test_report_layout.moc"
