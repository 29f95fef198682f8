// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the calculator window in-process: from creating the window to its first painted
// frame, and the actions that cost the most (a type pick that rebuilds the rows, "Use a
// Workshop", Reset). Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
// Each action is timed twice: "handler" is the reaction alone, "frame" adds the events the action
// leaves behind (the deferred over-level check and the repaint of what changed), so it is what a
// user waits for until the screen shows the result.

#include "widgets/messageboxes.h"
#include "window/frmmain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

// Records every message and returns at once: a modal box would stop the clock, and a benchmark
// that raises a message is measuring the wrong thing.
class RecordingMessages final : public widgets::MessageBoxes {
public:
    void Show(QWidget *, widgets::MessageIcon, const QString &text) override
    {
        ++count;
        last = text;
    }
    int count = 0;
    QString last;
};

RecordingMessages &Messages()
{
    static RecordingMessages messages;
    return messages;
}

// Counts the paint events a window's top level receives: the first one marks the first frame.
class PaintCounter final : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// QTest::qWaitForWindowExposed sleeps 10 ms between its polls, more than the whole interval we
// want to see; this polls the event queue without sleeping.
bool WaitForFirstFrame(QWidget &w, const PaintCounter &counter)
{
    QElapsedTimer timer;
    timer.start();
    while (!(w.windowHandle() && w.windowHandle()->isExposed() && counter.paints > 0)) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

void DrainEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
}

// One shown window shared by the action benchmarks, destroyed before the application.
std::unique_ptr<window::frmMain> g_window;

window::frmMain &ShownWindow()
{
    if (!g_window) {
        g_window = std::make_unique<window::frmMain>(Messages());
        auto *counter = new PaintCounter(g_window.get());
        g_window->installEventFilter(counter);
        g_window->show();
        if (!WaitForFirstFrame(*g_window, *counter)) {
            std::fprintf(stderr, "bench_window: the window was never exposed\n");
            std::abort();
        }
    }
    return *g_window;
}

template <typename T> T *Control(QWidget &w, const char *name)
{
    T *control = w.findChild<T *>(QLatin1String(name));
    if (!control) {
        std::fprintf(stderr, "bench_window: no control %s\n", name);
        std::abort();
    }
    return control;
}

int TypeIndex(QComboBox *types, const char *name)
{
    const int index = types->findText(QLatin1String(name));
    if (index < 0) {
        std::fprintf(stderr, "bench_window: no item type %s\n", name);
        std::abort();
    }
    return index;
}

// Any message during a timed action means the set-up is not the one we meant to time.
bool MessagesStayedQuiet(benchmark::State &state, int before)
{
    if (Messages().count == before)
        return true;
    state.SkipWithError(("a message box was raised: " + Messages().last.toStdString()).c_str());
    return false;
}

bool WantFrame(const benchmark::State &state)
{
    return state.range(0) != 0;
}

void BM_StartToFirstFrame(benchmark::State &state)
{
    for (auto _ : state) {
        auto w = std::make_unique<window::frmMain>(Messages());
        auto *counter = new PaintCounter(w.get());
        w->installEventFilter(counter);
        w->show();
        if (!WaitForFirstFrame(*w, *counter)) {
            state.SkipWithError("the window was never exposed");
            break;
        }
        state.PauseTiming();
        w.reset();
        DrainEvents();
        state.ResumeTiming();
    }
}

// A pick of "Alchemy" rebuilds ten rows of 47 items (at skill level 10 the filter passes all of
// them); switching back to Armour between picks is not timed.
void BM_PickItemTypeAlchemy(benchmark::State &state)
{
    window::frmMain &w = ShownWindow();
    auto *types = Control<QComboBox>(w, "cboItemType");
    auto *row0 = Control<QComboBox>(w, "cboItemName_0");
    const int alchemy = TypeIndex(types, "Alchemy");
    const int armour = TypeIndex(types, "Armour");
    const int before = Messages().count;
    for (auto _ : state) {
        state.PauseTiming();
        types->setCurrentIndex(armour);
        DrainEvents();
        state.ResumeTiming();
        types->setCurrentIndex(alchemy);
        if (WantFrame(state))
            DrainEvents();
    }
    DrainEvents();
    state.counters["items"] = row0->count();
    if (row0->count() != 47)
        state.SkipWithError("the Alchemy rows do not hold 47 items");
    MessagesStayedQuiet(state, before);
}

// Each click flips the box, and either state recomputes every row and the totals.
void BM_ClickUseWorkshop(benchmark::State &state)
{
    window::frmMain &w = ShownWindow();
    auto *workshop = Control<QCheckBox>(w, "chkUseWorkshop");
    const int before = Messages().count;
    for (auto _ : state) {
        workshop->click();
        if (WantFrame(state))
            DrainEvents();
        else {
            state.PauseTiming();
            DrainEvents();
            state.ResumeTiming();
        }
    }
    if (!workshop->isChecked())
        workshop->click();
    DrainEvents();
    MessagesStayedQuiet(state, before);
}

// Reset from a filled Weapons list: the costliest way in, as the type change rebuilds the rows
// before Reset's own rebuild.
void BM_Reset(benchmark::State &state)
{
    window::frmMain &w = ShownWindow();
    auto *types = Control<QComboBox>(w, "cboItemType");
    auto *reset = Control<QPushButton>(w, "cmdReset");
    auto *quantity = Control<QLineEdit>(w, "txtItemQuantity_0");
    const int weapons = TypeIndex(types, "Weapons");
    const int before = Messages().count;
    for (auto _ : state) {
        state.PauseTiming();
        types->setCurrentIndex(weapons);
        // Typed, then left with Tab: the field's check and its row's recomputation.
        quantity->setText(QStringLiteral("3"));
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(quantity, &tab);
        DrainEvents();
        state.ResumeTiming();
        reset->click();
        if (WantFrame(state))
            DrainEvents();
    }
    DrainEvents();
    if (types->currentText() != QLatin1String("Armour"))
        state.SkipWithError("Reset did not select Armour");
    MessagesStayedQuiet(state, before);
}

void Common(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
}

void Actions(benchmark::internal::Benchmark *b)
{
    b->ArgName("frame")->Arg(0)->Arg(1);
    Common(b);
}

BENCHMARK(BM_StartToFirstFrame)->Apply(Common);
BENCHMARK(BM_PickItemTypeAlchemy)->Apply(Actions);
BENCHMARK(BM_ClickUseWorkshop)->Apply(Actions);
BENCHMARK(BM_Reset)->Apply(Actions);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
