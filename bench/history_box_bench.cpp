// The real history box, offscreen, with histories of 10 MB and 100 MB (UTF-16): how long
// the minute's save holds the window up (taking the text, handing it to the writing
// thread), with an entry recorded before each save as "R" does; how long one "R" and one
// typed character take; and the restore at start, slice by slice, with its longest slice.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/calc_design.h"
#include "edit/button_commands.h"
#include "offscreen_main.h"
#include "platform/local_file_system.h"
#include "platform/qt/qt_forms_runtime.h"
#include "store/history_keeper.h"

namespace {

namespace fs = std::filesystem;

std::u16string history_of(std::size_t bytes) {
    const std::u16string entry = u"\r\n▲sin<30>*2+1/3=1.33333333333333";
    std::u16string text;
    text.reserve(bytes / 2 + entry.size());
    while (text.size() * 2 < bytes) text += entry;
    return text;
}

// The main window's form, shown offscreen, its history box given a history of `megabytes`.
struct history_form {
    platform::qt::qt_forms_runtime forms;
    std::unique_ptr<platform::form> form = forms.create_form(app::calc_design());
    platform::text_box& formula = form->get(app::calc_controls::Text_calc);
    platform::text_box& result = form->get(app::calc_controls::Text_re);
    platform::text_box& history = form->get(app::calc_controls::Text_temp1);

    explicit history_form(std::size_t megabytes) {
        form->show();
        if (megabytes == 0) return;
        history.restore_text(history_of(megabytes * 1'000'000));
        while (history.show_restored(store::restore_slice_units)) {}
        QApplication::processEvents();
    }
};

void BM_MinuteSaveHoldsTheWindow(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("tallix-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    history_form f(static_cast<std::size_t>(state.range(0)));
    std::u16string warning;
    store::history_keeper keeper([] { return std::make_unique<platform::local_file_system>(); }, f.forms, f.history,
                                 [&](const std::u16string& w) { warning = w; });
    keeper.restore(dir.string());
    f.forms.finish_beside();
    for (auto _ : state) {
        state.PauseTiming();
        f.history.set_sel_start(f.history.text_length());
        f.history.set_sel_text(u"\r\n▲1+2=3");
        state.ResumeTiming();
        keeper.save_beside();
        state.PauseTiming();
        f.forms.finish_beside();
        state.ResumeTiming();
    }
    if (!warning.empty()) state.SkipWithError("the save failed");
    fs::remove_all(dir);
}
BENCHMARK(BM_MinuteSaveHoldsTheWindow)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RecordOneEntry(benchmark::State& state) {
    history_form f(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        f.formula.set_text(u"48213*517+sin<67>");
        f.result.set_text(u"24926121");
        edit::record_command(f.formula, f.result, f.history);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RecordOneEntry)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(20);

// In the middle of the history, where the box's copy of its text moves the most.
void BM_TypeOneCharacter(benchmark::State& state) {
    history_form f(static_cast<std::size_t>(state.range(0)));
    f.history.set_focus();
    f.history.set_sel_start(f.history.text_length() / 2);
    QWidget* box = QApplication::focusWidget();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QApplication::sendEvent(box, &release);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypeOneCharacter)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(20);

// The whole restore, and the longest single slice of it: what holds the window up at once.
void BM_RestoreInSlices(benchmark::State& state) {
    const std::u16string text = history_of(static_cast<std::size_t>(state.range(0)) * 1'000'000);
    double longest_ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        history_form f(0);
        std::u16string copy = text;
        state.ResumeTiming();
        f.history.restore_text(std::move(copy));
        for (bool more = true; more;) {
            const auto start = std::chrono::steady_clock::now();
            more = f.history.show_restored(store::restore_slice_units);
            QApplication::processEvents();
            longest_ms =
                std::max(longest_ms,
                         std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    state.counters["longest_slice_ms"] = longest_ms;
}
BENCHMARK(BM_RestoreInSlices)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return run_offscreen_benchmarks(argc, argv); }
