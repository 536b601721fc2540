// Print jobs over cairo's PDF surface. Each page is drawn in an ordinary port
// (pixman xRGB, the same layout as cairo's RGB24) and painted onto the PDF
// page scaled back to points, so the file holds one image per page.
#include "Printing.h"

#include "KsFatal.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"
#include "XError.h"

#include "KsMacRoman.h"
#include "KsOutput.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pixman.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

namespace {

const EMMessage kMessages[] = {
    {"TBX_PRINT_SETTINGS",
     "The page setup is not usable: {width} x {height} points at {resolution} dpi.", nullptr},
    {"TBX_PRINT_OPEN", "The print file \"{path}\" could not be created.", nullptr},
    {"TBX_PRINT_WRITE", "The print file \"{path}\" could not be written.", nullptr},
    {"TBX_PRINT_NO_JOB", "A page was printed without a print job.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

thread_local OSErr gPrError = noErr;

} // namespace

struct KsPrintJob {
    std::string path;
    std::string tempPath;
    KsPrintSettings settings;
    SInt16 scale = 2;
    cairo_surface_t* pdf = nullptr;
    GrafPtr page = nullptr;
    GrafPtr savedPort = nullptr;
    SInt32 pages = 0;
    bool failed = false;
};

namespace {

// Frees the job and, unless the file is complete, its partial output.
void DisposeJob(KsPrintJob* job, bool keepFile) {
    if (job->page != nullptr) {
        KsSetPort(job->savedPort);
        KsDisposePort(job->page);
    }
    if (job->pdf != nullptr) {
        cairo_surface_finish(job->pdf);
        cairo_surface_destroy(job->pdf);
    }
    if (!keepFile) std::remove(job->tempPath.c_str());
    delete job;
}

[[noreturn]] void FailWrite(KsPrintJob* job) {
    job->failed = true;
    gPrError = kPrWriteErr;
    xraisexerror("TBX_PRINT_WRITE", "str path", job->path.c_str());
}

} // namespace

KsPrintJob* KsPrOpenDoc(const char* pdfPath, const KsPrintSettings* settings) {
    FtlAssert(pdfPath != nullptr);
    const KsPrintSettings s = settings != nullptr ? *settings : KsPrintSettings{};
    const bool sizeOK = s.pageWidth > 0 && s.pageHeight > 0 && s.pageWidth <= 16383 &&
                        s.pageHeight <= 16383 && s.margin >= 0 && 2 * s.margin < s.pageWidth &&
                        2 * s.margin < s.pageHeight;
    const bool resOK = s.resolution >= 72 && s.resolution <= 576 && s.resolution % 72 == 0;
    if (!sizeOK || !resOK) {
        gPrError = paramErr;
        xraisexerror("TBX_PRINT_SETTINGS", "long width", s.pageWidth, "long height", s.pageHeight,
                     "long resolution", s.resolution);
    }
    auto* job = new KsPrintJob;
    job->path = pdfPath;
    job->tempPath = job->path + ".part";
    job->settings = s;
    job->scale = SInt16(s.resolution / 72);
    job->pdf = cairo_pdf_surface_create(job->tempPath.c_str(), s.pageWidth, s.pageHeight);
    if (cairo_surface_status(job->pdf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(job->pdf);
        job->pdf = nullptr;
        std::string path = job->path;
        DisposeJob(job, false);
        gPrError = kPrOpenErr;
        xraisexerror("TBX_PRINT_OPEN", "str path", path.c_str());
    }
    gPrError = noErr;
    return job;
}

GrafPort* KsPrOpenPage(KsPrintJob* job) {
    FtlAssert(job != nullptr && !job->failed);
    FtlAssert(job->page == nullptr);
    job->savedPort = KsGetPort();
    job->page = KsNewPort(job->settings.pageWidth, job->settings.pageHeight, job->scale);
    if (job->page == nullptr) {
        job->failed = true;
        gPrError = memFullErr;
        xraisexerror("TBX_PRINT_WRITE", "str path", job->path.c_str());
    }
    KsSetPort(job->page);
    gPrError = noErr;
    return job->page;
}

void KsPrClosePage(KsPrintJob* job) {
    FtlAssert(job != nullptr && !job->failed);
    FtlAssert(job->page != nullptr);
    pixman_image_t* img = job->page->surface->image;
    cairo_surface_t* pixels = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixman_image_get_data(img)), CAIRO_FORMAT_RGB24,
        pixman_image_get_width(img), pixman_image_get_height(img), pixman_image_get_stride(img));
    cairo_t* cr = cairo_create(job->pdf);
    cairo_scale(cr, 1.0 / job->scale, 1.0 / job->scale);
    cairo_set_source_surface(cr, pixels, 0, 0);
    // Pixels stay sharp squares; a printer must not blur them.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_show_page(cr);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(pixels);

    KsSetPort(job->savedPort);
    KsDisposePort(job->page);
    job->page = nullptr;
    if (status != CAIRO_STATUS_SUCCESS || cairo_surface_status(job->pdf) != CAIRO_STATUS_SUCCESS)
        FailWrite(job);
    ++job->pages;
    gPrError = noErr;
}

void KsPrCloseDoc(KsPrintJob* job) {
    FtlAssert(job != nullptr);
    if (job->failed) {
        DisposeJob(job, false);
        return; // the failure was reported when it happened
    }
    if (job->page != nullptr) {
        try {
            KsPrClosePage(job);
        } catch (...) {
            DisposeJob(job, false);
            throw;
        }
    }
    cairo_surface_finish(job->pdf);
    const bool written = cairo_surface_status(job->pdf) == CAIRO_STATUS_SUCCESS &&
                         std::rename(job->tempPath.c_str(), job->path.c_str()) == 0;
    if (!written) {
        const std::string path = job->path;
        DisposeJob(job, false);
        gPrError = kPrWriteErr;
        xraisexerror("TBX_PRINT_WRITE", "str path", path.c_str());
    }
    DisposeJob(job, true);
    gPrError = noErr;
}

void KsPrAbortDoc(KsPrintJob* job) {
    FtlAssert(job != nullptr);
    DisposeJob(job, false);
    gPrError = kPrAbortErr;
}

SInt32 KsPrPageCount(const KsPrintJob* job) {
    FtlAssert(job != nullptr);
    return job->pages;
}

OSErr KsPrError() {
    return gPrError;
}

// ---------------------------------------------------------------------------
// The print session

namespace {

namespace fs = std::filesystem;

struct PrintSession {
    KsPrintSettings setup;
    std::string chosenPath; // empty: the default naming
    KsPrintJob* job = nullptr;
    std::string jobPath;
    OSErr firstError = noErr;
    XError failure;
};

PrintSession& Session() {
    static PrintSession session;
    return session;
}

// Keeps the first failure of the job; later ones follow from it.
void NoteFailure(const XError& e, OSErr code) {
    PrintSession& s = Session();
    if (s.firstError != noErr) return;
    s.firstError = code != noErr ? code : OSErr(kPrWriteErr);
    s.failure = e;
}

// The job name as a file name: UTF-8, no separators or control characters.
std::string FileNameOf(const char* jobName) {
    std::string name = KsMacRomanToUTF8(jobName != nullptr ? jobName : "");
    for (char& c : name)
        if (c == '/' || (static_cast<unsigned char>(c) < 0x20)) c = '_';
    if (name.empty()) name = "Untitled";
    return name;
}

// "<documents or current folder>/<name>.pdf", never an existing file.
std::string DefaultPathFor(const char* jobName) {
    std::error_code ec;
    fs::path dir;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) {
        const fs::path docs = fs::path(home) / "Documents";
        if (fs::is_directory(docs, ec)) dir = docs;
    }
    if (dir.empty()) {
        dir = fs::current_path(ec);
        if (ec) dir = ".";
    }
    const std::string name = FileNameOf(jobName);
    for (int n = 1; n <= 999; ++n) {
        const std::string file = n == 1 ? name + ".pdf" : name + " " + std::to_string(n) + ".pdf";
        const fs::path candidate = dir / file;
        if (!fs::exists(candidate, ec) && !ec) return candidate.string();
    }
    return {}; // every name is taken: no file can be made
}

} // namespace

void KsPrSetOutputPath(const char* pdfPath) {
    Session().chosenPath = pdfPath != nullptr ? pdfPath : "";
}

void KsPrSetPageSetup(const KsPrintSettings* settings) {
    Session().setup = settings != nullptr ? *settings : KsPrintSettings{};
}

KsPrintSettings KsPrGetPageSetup() {
    return Session().setup;
}

OSErr PrintInit(const char* jobName) {
    PrintSession& s = Session();
    if (s.job != nullptr) {
        dprintf("PrintInit: the previous print job was never finished; it is discarded\n");
        KsPrAbortDoc(s.job);
        s.job = nullptr;
    }
    s.firstError = noErr;
    s.failure = XError();
    s.jobPath = s.chosenPath.empty() ? DefaultPathFor(jobName) : s.chosenPath;
    if (s.jobPath.empty()) {
        gPrError = kPrOpenErr;
        NoteFailure(XError("TBX_PRINT_OPEN", "str path", FileNameOf(jobName) + ".pdf"), kPrOpenErr);
        return kPrOpenErr;
    }
    try {
        s.job = KsPrOpenDoc(s.jobPath.c_str(), &s.setup);
    } catch (...) {
        s.job = nullptr;
        NoteFailure(XErrorFromCurrentException(), gPrError);
        return s.firstError;
    }
    return noErr;
}

void StartPrintPage() {
    PrintSession& s = Session();
    if (s.job == nullptr) {
        gPrError = kPrNoJobErr;
        xraisexerror("TBX_PRINT_NO_JOB");
    }
    if (s.firstError != noErr) xraisexerror(s.failure); // the job cannot go on
    try {
        KsPrOpenPage(s.job);
    } catch (...) {
        NoteFailure(XErrorFromCurrentException(), gPrError);
        throw;
    }
}

void EndPrintPage() {
    PrintSession& s = Session();
    if (s.job == nullptr) {
        gPrError = kPrNoJobErr;
        xraisexerror("TBX_PRINT_NO_JOB");
    }
    if (s.firstError != noErr) xraisexerror(s.failure);
    try {
        KsPrClosePage(s.job);
    } catch (...) {
        NoteFailure(XErrorFromCurrentException(), gPrError);
        throw;
    }
}

Rect GetPrintPageRect() {
    const PrintSession& s = Session();
    const KsPrintSettings& p = s.job != nullptr ? s.job->settings : s.setup;
    return Rect{p.margin, p.margin, SInt16(p.pageHeight - p.margin),
                SInt16(p.pageWidth - p.margin)};
}

OSErr PrintFini(KsPrintEnd end) {
    PrintSession& s = Session();
    KsPrintJob* job = s.job;
    s.job = nullptr;
    if (job != nullptr) {
        if (end == KsPrintEnd::kDiscard || s.firstError != noErr) {
            KsPrAbortDoc(job);
            if (s.firstError == noErr) NoteFailure(XError("BASE_USER_ABORT"), kPrAbortErr);
        } else {
            try {
                KsPrCloseDoc(job); // disposes of the job even when it raises
            } catch (...) {
                NoteFailure(XErrorFromCurrentException(), gPrError);
            }
        }
    }
    gPrError = s.firstError;
    return s.firstError;
}

bool KsPrJobInProgress() {
    return Session().job != nullptr;
}

SInt32 KsPrJobPageCount() {
    const PrintSession& s = Session();
    return s.job != nullptr ? KsPrPageCount(s.job) : 0;
}

const char* KsPrJobPath() {
    return Session().jobPath.c_str();
}

XError KsPrLastFailure() {
    return Session().failure;
}
