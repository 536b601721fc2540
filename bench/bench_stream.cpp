// Writing and reading 100,000 mixed stream items through a memory stream.
#include "AMemStream.h"
#include "KsHandle.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

void WriteMixed(AStream& s, Handle h) {
    static const unsigned char kPascal[] = "\x05Gain!";
    for (int i = 0; i < kItems; i += 10) {
        s.PutLong("xoffset", i);
        s.PutShort("labeldx", SInt16(i));
        s.PutBool("visible", (i & 1) != 0);
        s.PutChar("border", char(i));
        s.PutDouble("value", i * 0.5);
        s.PutRect("bounds", i, i + 1, i + 100, i + 20);
        s.PutColor("bkgd color", 0xFFFF, UInt16(i), 0);
        s.PutCString("name", "Output level");
        s.PutPString("label", kPascal);
        s.PutHandle("id", h);
    }
}

SInt64 ReadMixed(AStream& s) {
    SInt64 sum = 0;
    char buf[32];
    Str255 p;
    SInt32 l, t, r, b;
    UInt16 red, green, blue;
    for (int i = 0; i < kItems; i += 10) {
        sum += s.GetLong("xoffset");
        sum += s.GetShort("labeldx");
        sum += s.GetBool("visible");
        sum += s.GetChar("border");
        sum += SInt64(s.GetDouble("value"));
        s.GetRect("bounds", &l, &t, &r, &b);
        s.GetColor("bkgd color", &red, &green, &blue);
        sum += l + b + green;
        sum += s.GetCString("name", buf, sizeof buf);
        s.GetPString("label", p);
        Handle h = s.GetHandle("id");
        sum += KsGetHandleSize(h);
        KsDisposeHandle(h);
    }
    return sum;
}

void BM_StreamWrite(benchmark::State& state) {
    Handle h = KsNewHandleFrom("KsPaneID", 8);
    SInt64 bytes = 0;
    for (auto _ : state) {
        AMemStream s;
        WriteMixed(s, h);
        bytes += s.GetLength();
        benchmark::DoNotOptimize(s.GetPosition());
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(SInt64(state.iterations()) * kItems);
    KsDisposeHandle(h);
}

void BM_StreamRead(benchmark::State& state) {
    Handle h = KsNewHandleFrom("KsPaneID", 8);
    AMemStream s;
    WriteMixed(s, h);
    SInt64 bytes = 0;
    for (auto _ : state) {
        s.Rewind();
        benchmark::DoNotOptimize(ReadMixed(s));
        bytes += s.GetLength();
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(SInt64(state.iterations()) * kItems);
    KsDisposeHandle(h);
}

// The headline figure: write, then read back, 100,000 items; bytes counted
// once each way.
void BM_StreamWriteThenRead(benchmark::State& state) {
    Handle h = KsNewHandleFrom("KsPaneID", 8);
    SInt64 bytes = 0;
    for (auto _ : state) {
        AMemStream s;
        WriteMixed(s, h);
        s.Rewind();
        benchmark::DoNotOptimize(ReadMixed(s));
        bytes += 2 * s.GetLength();
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(SInt64(state.iterations()) * kItems * 2);
    KsDisposeHandle(h);
}

} // namespace

BENCHMARK(BM_StreamWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamWriteThenRead)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
