// The byte transform alone: encode and decode of the in-memory codec's
// 1,200,000-byte prefix, into a second buffer and in place (as the streaming
// codec does). Reported in GB/s (10^9 bytes per second).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "codec/format.h"

namespace {

constexpr auto kBytes = static_cast<std::size_t>(zv::format::kMemoryPrefixLimit);
constexpr std::uint8_t kKey = 0xA7;

using Transform = void (*)(const char*, char*, std::size_t, std::uint8_t);

std::vector<char> randomBytes() {
    std::vector<char> data(kBytes);
    std::mt19937 random(12345);
    for (char& c : data) {
        c = static_cast<char>(random());
    }
    return data;
}

void report(benchmark::State& state) {
    state.counters["rate"] =
        benchmark::Counter(static_cast<double>(kBytes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate, benchmark::Counter::kIs1000);
}

void toSecondBuffer(benchmark::State& state, Transform transform) {
    const std::vector<char> source = randomBytes();
    std::vector<char> target(kBytes);
    for (auto _ : state) {
        transform(source.data(), target.data(), kBytes, kKey);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    report(state);
}

void inPlace(benchmark::State& state, Transform transform) {
    std::vector<char> data = randomBytes();
    for (auto _ : state) {
        transform(data.data(), data.data(), kBytes, kKey);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    report(state);
}

}  // namespace

BENCHMARK_CAPTURE(toSecondBuffer, encode, zv::format::encodeBytes);
BENCHMARK_CAPTURE(toSecondBuffer, decode, zv::format::decodeBytes);
BENCHMARK_CAPTURE(inPlace, encode, zv::format::encodeBytes);
BENCHMARK_CAPTURE(inPlace, decode, zv::format::decodeBytes);

BENCHMARK_MAIN();
