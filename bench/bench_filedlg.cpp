// The file dialog on a folder of 10,000 files: from reading the folder to
// the first frame drawn (read, sort, fill the list, show and update), and
// the read and sort alone for comparison.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AFileDialog.h"
#include "AFileListPane.h"
#include "KsBackend.h"
#include "KsFolderListing.h"
#include "Menus.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 10000;

// A folder of kFiles small files and a few folders, made once per run.
class Folder {
public:
    Folder() {
        std::string tmpl = (fs::temp_directory_path() / "ksbenchdlg.XXXXXX").string();
        if (!mkdtemp(tmpl.data())) return;
        path = tmpl;
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(path / ("clip_" + std::to_string((i * 7919) % kFiles) + ".mov")) << i;
        for (int i = 0; i < 20; ++i)
            fs::create_directory(path / ("Reel " + std::to_string(i)));
    }
    ~Folder() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    fs::path path;
};

Folder& TheFolder() {
    static Folder folder;
    return folder;
}

void BM_ReadAndSortFolder(benchmark::State& state) {
    const std::string path = TheFolder().path.string();
    for (auto _ : state) {
        KsFolderListing l = KsReadFolder(path, KsHiddenFiles::skip);
        benchmark::DoNotOptimize(l.entries.data());
    }
}
BENCHMARK(BM_ReadAndSortFolder)->Unit(benchmark::kMillisecond);

void BM_FileDialogFirstFrame(benchmark::State& state) {
    const std::string path = TheFolder().path.string();
    KsInstallBackend(KsNewHeadlessBackend(1280, 800));
    KsAppSetExitProc([](int) {});
    auto* app = new AApplication;
    app->SetShortAppName("bench");
    app->IApplication();
    for (auto _ : state) {
        AFileDialog* dlg = AFileDialog::New(AFileDialog::Mode::open, "Open");
        dlg->ShowFolder(path);
        dlg->SelectAndShow();
        dlg->UpdateIfNeeded();
        state.PauseTiming();
        if (dlg->GetList()->GetEntryCount() != kFiles + 20) state.SkipWithError("short listing");
        dlg->Dispose();
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
        state.ResumeTiming();
    }
    delete app;
    if (gBartender) gBartender->Dispose();
    ClearMenuBar();
}
BENCHMARK(BM_FileDialogFirstFrame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
