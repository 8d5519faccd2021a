// Reading one value of a 1 MB settings file with the portable profile
// reader, against reading the file's bytes once. Read the times as ratios
// to BM_ReadFileBytes; the value sits in the last section (the whole file
// is scanned) or the first (the scan stops early, the reading does not).
// BM_FindValueInMemory is the scan alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/PosixProfile.h"

namespace {

namespace fs = std::filesystem;

// About 1 MB: 2,000 sections of ten keys each, CR LF line ends.
const std::string& SettingsText() {
    static const std::string text = [] {
        std::string t;
        for (int s = 0; s < 2000; ++s) {
            t += "[Section" + std::to_string(s) + "]\r\n";
            for (int k = 0; k < 10; ++k)
                t += "Key" + std::to_string(k) + " = C:\\Program Files\\Marquill\\templates\\" +
                     std::to_string(s * 10 + k) + "\r\n";
        }
        return t;
    }();
    return text;
}

// The file, written once and removed at exit.
struct SettingsFile {
    SettingsFile() : path(fs::temp_directory_path() / "mq-bench-profile.ini") {
        std::ofstream(path, std::ios::binary) << SettingsText();
    }
    ~SettingsFile() {
        std::error_code ec;
        fs::remove(path, ec);
    }
    fs::path path;
};

const std::string& SettingsPath() {
    static const SettingsFile file;
    static const std::string path = file.path.string();
    return path;
}

void BM_ReadFileBytes(benchmark::State& state) {
    const std::string& path = SettingsPath();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SettingsText().size()));
}
BENCHMARK(BM_ReadFileBytes);

void ReadOne(benchmark::State& state, const char* section) {
    const std::string& path = SettingsPath();
    mq::PosixProfileFile profile;
    for (auto _ : state) {
        auto r = profile.GetString(section, "key9", "", 256, path);
        if (r.count == 0) state.SkipWithError("value not found");
        benchmark::DoNotOptimize(r.bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SettingsText().size()));
}
void BM_GetStringLastSection(benchmark::State& state) { ReadOne(state, "section1999"); }
void BM_GetStringFirstSection(benchmark::State& state) { ReadOne(state, "section0"); }
BENCHMARK(BM_GetStringLastSection);
BENCHMARK(BM_GetStringFirstSection);

// The scan alone, on bytes already in memory.
void BM_FindValueInMemory(benchmark::State& state) {
    const std::string& text = SettingsText();
    for (auto _ : state) {
        auto v = mq::profile::FindValue(text, "section1999", "key9");
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_FindValueInMemory);

}  // namespace
