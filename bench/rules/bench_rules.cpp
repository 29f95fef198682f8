// SPDX-License-Identifier: GPL-3.0-or-later
// The work that one user action costs the window: recomputing one row, the totals of the ten
// rows, and building one item type's offered list. The figures are tiny; the point is the harness.
// Run:  bench_rules --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/numbers.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

// "Long Sword", quantity 2, silver, shatter resist 4 : 228 points, 242.4 silver.
void BM_CostRow(benchmark::State &state)
{
    const rules::RowInputs row{24, "Long Sword", "2", true, "4"};
    for (auto _ : state) {
        rules::RowCost cost = rules::CostRow(row);
        benchmark::DoNotOptimize(cost);
    }
}
BENCHMARK(BM_CostRow);

// One row as RecalculateRow does it: the cost and the two label texts.
void BM_CostRowWithLabels(benchmark::State &state)
{
    const rules::RowInputs row{24, "Long Sword", "2", true, "4"};
    for (auto _ : state) {
        const rules::RowCost cost = rules::CostRow(row);
        std::string points = rules::WholeNumberText(cost.points);
        std::string silver = rules::GeneralNumberText(cost.silver, '.');
        benchmark::DoNotOptimize(points);
        benchmark::DoNotOptimize(silver);
    }
}
BENCHMARK(BM_CostRowWithLabels);

// Ten filled rows, workshop on, enforce on.
void BM_ComputeTotals(benchmark::State &state)
{
    rules::TotalsInputs in;
    in.skillLevelText = "10";
    in.daysText = "2";
    in.workshop = true;
    in.enforceLevel = true;
    in.rowPointsTexts = {"228", "72", "22", "4", "83", "40", "1500", "12", "0", "96"};
    in.rowSilverTexts = {"242.4", "7.2", "1.2", "0.45", "0.9", "4", "150", "1.2", "0", "9.6"};
    for (auto _ : state) {
        rules::Totals totals = rules::ComputeTotals(in);
        benchmark::DoNotOptimize(totals);
    }
}
BENCHMARK(BM_ComputeTotals);

// The number conversions alone: field texts read, label texts written, as the rows and totals do.
void BM_NumberTexts(benchmark::State &state)
{
    const std::array<std::string, 4> fields = {"2", "1.5", "0.7", "10"};
    const std::array<double, 4> labels = {242.4, 0.45, 15.000000000000002, 1.0 / 3.0};
    for (auto _ : state) {
        for (const std::string &text : fields)
            benchmark::DoNotOptimize(rules::LeadingNumber(text));
        for (double x : labels)
            benchmark::DoNotOptimize(rules::GeneralNumberText(x, '.'));
    }
}
BENCHMARK(BM_NumberTexts);

// The slow path: more digits than a double holds exactly, and a label beyond the plain range.
void BM_NumberTextsBeyondExact(benchmark::State &state)
{
    const std::string field = "0.1000000000000000055511151231257827";
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules::LeadingNumber(field));
        benchmark::DoNotOptimize(rules::GeneralNumberText(1.5e300, '.'));
    }
}
BENCHMARK(BM_NumberTextsBeyondExact);

// "Alchemy" (47 items) with the level filter on at level 10: what one row's list receives.
void BM_SortedOfferedItemsAlchemy(benchmark::State &state)
{
    for (auto _ : state) {
        auto items = rules::SortedOfferedItems(1, true, 10);
        benchmark::DoNotOptimize(items.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SortedOfferedItemsAlchemy);

} // namespace
