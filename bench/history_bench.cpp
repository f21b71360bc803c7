// Saving and restoring a 10 MB history file (5 million UTF-16 units), as a tick of the
// save timer and a start-up do.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/local_file_system.h"
#include "store/history_log.h"

namespace {

namespace fs = std::filesystem;

std::u16string ten_megabytes() {
    const std::u16string entry = u"\r\n▲sin<30>*2+1/3=1.33333333333333";
    std::u16string text;
    while (text.size() * 2 < 10'000'000) text += entry;
    text.resize(5'000'000 - 1);
    return text;
}

struct bench_folder {
    fs::path dir = fs::temp_directory_path() / ("tallix-bench-" + std::to_string(::getpid()));
    bench_folder() { fs::create_directories(dir); }
    ~bench_folder() { fs::remove_all(dir); }
    std::string file() const { return (dir / store::history_file_name).string(); }
};

void SaveTenMegabytes(benchmark::State& state) {
    bench_folder folder;
    platform::local_file_system files;
    const auto text = ten_megabytes();
    for (auto _ : state) {
        if (!store::write_history(files, folder.file(), text)) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(2 + 2 * text.size()));
}
BENCHMARK(SaveTenMegabytes)->Unit(benchmark::kMillisecond);

void RestoreTenMegabytes(benchmark::State& state) {
    bench_folder folder;
    platform::local_file_system files;
    store::write_history(files, folder.file(), ten_megabytes());
    for (auto _ : state) {
        auto read = store::read_history(files, folder.file());
        benchmark::DoNotOptimize(read.text.data());
    }
}
BENCHMARK(RestoreTenMegabytes)->Unit(benchmark::kMillisecond);

void EncodeTenMegabytes(benchmark::State& state) {
    const auto text = ten_megabytes();
    for (auto _ : state) benchmark::DoNotOptimize(store::encode_history(text).data());
}
BENCHMARK(EncodeTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
