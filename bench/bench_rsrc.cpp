// Resource lookups: Get1Resource by type and ID in a file of 5,000 resources,
// with the resources already loaded (warm) and the first time (cold).
#include "ResourceFormatPrivate.h"
#include "Resources.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCount = 5000;
const ResType kTypes[] = {FourCharCode("TEXT"), FourCharCode("PICT"), FourCharCode("STR "),
                          FourCharCode("ICON"), FourCharCode("DATA")};

// Writes and opens a file of kCount resources over five types.
SInt16 OpenBigFile(std::string& path) {
    path = "/tmp/bench_rsrc." + std::to_string(getpid()) + ".rsrc";
    std::vector<std::string> payloads;
    KsResMap map;
    for (int i = 0; i < kCount; ++i)
        payloads.push_back("payload " + std::to_string(i));
    for (int i = 0; i < kCount; ++i) {
        KsResRecord rec;
        rec.type = kTypes[i % 5];
        rec.id = SInt16(128 + i / 5);
        rec.data = reinterpret_cast<const UInt8*>(payloads[std::size_t(i)].data());
        rec.length = UInt32(payloads[std::size_t(i)].size());
        map.records.push_back(rec);
    }
    std::vector<UInt8> bytes = KsWriteResourceMap(map);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return KsOpenResFile(path.c_str(), fsRdPerm);
}

void BM_Get1ResourceWarm(benchmark::State& state) {
    std::string path;
    SInt16 ref = OpenBigFile(path);
    for (int i = 0; i < kCount; ++i)
        Get1Resource(kTypes[i % 5], SInt16(128 + i / 5));
    // A scrambled walk so that consecutive lookups hit different buckets.
    unsigned i = 0;
    for (auto _ : state) {
        i = (i + 2311) % kCount;
        benchmark::DoNotOptimize(Get1Resource(kTypes[i % 5], SInt16(128 + i / 5)));
    }
    CloseResFile(ref);
    std::remove(path.c_str());
}
BENCHMARK(BM_Get1ResourceWarm);

void BM_Get1ResourceMissing(benchmark::State& state) {
    std::string path;
    SInt16 ref = OpenBigFile(path);
    SInt16 id = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Get1Resource(FourCharCode("NONE"), id++));
    CloseResFile(ref);
    std::remove(path.c_str());
}
BENCHMARK(BM_Get1ResourceMissing);

void BM_OpenFileOf5000(benchmark::State& state) {
    std::string path;
    CloseResFile(OpenBigFile(path));
    for (auto _ : state)
        CloseResFile(KsOpenResFile(path.c_str(), fsRdPerm));
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenFileOf5000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
