// One keystroke in the real formula box of the main window, offscreen, while it holds
// the 0.9 MB sum: the key event, the adapter's conversion of the whole text, the
// evaluation and the result written back.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/calc.h"
#include "bench_inputs.h"
#include "offscreen_main.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_window_system.h"

namespace {

// The window of an earlier run is only deleted later; run those deletions first so that
// the one box of that name is the current window's.
QPlainTextEdit* widget_named(const char* name) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == QLatin1String(name)) return qobject_cast<QPlainTextEdit*>(w);
    return nullptr;
}

void key(QWidget* w, int k, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// The main window with the sum in its formula box and the caret at its end.
struct window_holding_the_sum {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows{forms};
    app::calc window{{forms, windows, [] { return std::unique_ptr<platform::file_system>(); }}};
    const std::u16string sum = bench_inputs::long_sum(100000);
    platform::text_box* formula = nullptr;
    QPlainTextEdit* box = nullptr;
    window_holding_the_sum() {
        window.load();
        window.show();
        formula = &window.window().text_box_named("Text_calc");
        formula->set_text(sum);
        formula->set_sel_start(static_cast<int>(sum.size()));
        formula->set_focus();
        box = widget_named("Text_calc");
    }
};

void edit_the_sum(benchmark::State& state, bool repaint) {
    window_holding_the_sum w;
    if (!w.box) return state.SkipWithError("no formula box");
    QPlainTextEdit* box = w.box;
    bool typed = false;
    for (auto _ : state) {
        // Alternately type a digit at the end and delete it again: every step is one edit.
        if (typed) key(box, Qt::Key_Backspace, {});
        else key(box, Qt::Key_1, QStringLiteral("1"));
        typed = !typed;
        if (repaint) box->viewport()->repaint();
    }
    if (!w.window.window().label_named("Label_tip").caption().empty())
        state.SkipWithError("the formula failed to evaluate");
}

// Four repeats of a held Backspace, then of a held digit, queued behind a slow edit as
// they are while the window is busy: they go in together.
void BM_HeldKeyRepeatsInTheFormulaBoxHoldingTheSum(benchmark::State& state) {
    window_holding_the_sum w;
    if (!w.box) return state.SkipWithError("no formula box");
    QPlainTextEdit* box = w.box;
    bool typed = false;
    for (auto _ : state) {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::postEvent(
                box, typed ? new QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, {}, true)
                           : new QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1", true));
        }
        typed = !typed;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }
    if (w.formula->text().size() < w.sum.size()) state.SkipWithError("the repeats were lost");
}

void BM_EditOfTheFormulaBoxHoldingTheSum(benchmark::State& state) { edit_the_sum(state, false); }

// The same keystroke followed by the repaint of the box that the user waits for.
void BM_EditAndRepaintOfTheFormulaBoxHoldingTheSum(benchmark::State& state) { edit_the_sum(state, true); }

// The program's own share of that keystroke: the box reports a change of its text, the
// adapter converts the whole text afresh and the change handler evaluates it and writes
// the result; Qt's relayout of the edited paragraph is left out.
void BM_ChangeOfTheFormulaBoxHoldingTheSum(benchmark::State& state) {
    platform::qt::qt_forms_runtime forms;
    platform::qt::qt_window_system windows(forms);
    app::calc window({forms, windows, [] { return std::unique_ptr<platform::file_system>(); }});
    window.load();
    window.show();
    window.window().text_box_named("Text_calc").set_text(bench_inputs::long_sum(100000));
    QPlainTextEdit* box = widget_named("Text_calc");
    if (!box) return state.SkipWithError("no formula box");
    platform::text_box& result = window.window().text_box_named("Text_re");
    result.set_text(u"-");
    for (auto _ : state) Q_EMIT box->textChanged();
    if (result.text() == u"-") state.SkipWithError("the change reached no handler");
    if (!window.window().label_named("Label_tip").caption().empty())
        state.SkipWithError("the formula failed to evaluate");
}

BENCHMARK(BM_EditOfTheFormulaBoxHoldingTheSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditAndRepaintOfTheFormulaBoxHoldingTheSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeOfTheFormulaBoxHoldingTheSum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeldKeyRepeatsInTheFormulaBoxHoldingTheSum)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return run_offscreen_benchmarks(argc, argv); }
