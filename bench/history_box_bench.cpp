// The minute's save of a long history from the real history box, offscreen: how long it
// holds the window up (taking the text, handing it to the writing thread), with an entry
// recorded before each save as "R" does. Histories of 10 MB and 100 MB (UTF-16).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/calc_design.h"
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

void BM_MinuteSaveHoldsTheWindow(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / ("tallix-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    platform::qt::qt_forms_runtime forms;
    const auto form = forms.create_form(app::calc_design());
    platform::text_box& history = form->text_box_named("Text_temp1");
    std::u16string warning;
    store::history_keeper keeper([] { return std::make_unique<platform::local_file_system>(); }, forms, history,
                                 [&](const std::u16string& w) { warning = w; });
    keeper.restore(dir.string());
    history.set_text(history_of(static_cast<std::size_t>(state.range(0)) * 1'000'000));
    for (auto _ : state) {
        state.PauseTiming();
        history.set_sel_start(static_cast<int>(history.text().size()));
        history.set_sel_text(u"\r\n▲1+2=3");
        state.ResumeTiming();
        keeper.save_beside();
        state.PauseTiming();
        forms.finish_beside();
        state.ResumeTiming();
    }
    if (!warning.empty()) state.SkipWithError("the save failed");
    fs::remove_all(dir);
}
BENCHMARK(BM_MinuteSaveHoldsTheWindow)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return run_offscreen_benchmarks(argc, argv); }
