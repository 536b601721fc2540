// Printing: a print job writes a PDF file, one page at a time. Each page is
// a drawing port, drawn into with the usual calls, whose logical coordinates
// are points (1/72 inch) and whose pixels are at the job's resolution.
//
//   KsPrintSettings s;                       // US Letter at 144 dpi
//   KsPrintJob* job = KsPrOpenDoc("/tmp/out.pdf", &s);
//   GrafPtr page = KsPrOpenPage(job);        // becomes the current port
//   ... MoveTo, DrawString, PaintRect ...
//   KsPrClosePage(job);                      // the page goes to the file
//   KsPrCloseDoc(job);                       // the file is complete
//
// The file appears at its path only when the whole document was written;
// until then it is written beside it under a temporary name, and a failed or
// aborted job leaves nothing behind. Failures raise XError ("TBX_PRINT_...")
// and are also kept for KsPrError; after a failure the job only accepts
// KsPrCloseDoc or KsPrAbortDoc, which then dispose of it.
//
// Over these, the print session (PrintInit ... PrintFini) is what the
// framework prints with: one job at a time, whose pages come one after the
// other. Where the file goes:
//   - KsPrSetOutputPath(path) chooses it for every following job, until it
//     is set back to null;
//   - otherwise the job is named after itself: "<job name>.pdf" (characters
//     that cannot be in a file name become '_', no name is "Untitled") in
//     $HOME/Documents when that folder exists, else in the current folder;
//     an existing file is never replaced: " 2", " 3" ... are added instead.
// The page size and resolution are those of KsPrSetPageSetup at PrintInit.
//
//   if (PrintInit("Report") == noErr) {
//       StartPrintPage();                  // the page port is current
//       Rect r = GetPrintPageRect();       // draw inside this
//       ...
//       EndPrintPage();
//   }
//   OSErr err = PrintFini();               // always, also after a failure
#pragma once

#include "KsMacTypes.h"
#include "XError.h"

struct GrafPort;
struct KsPrintJob;

struct KsPrintSettings {
    SInt16 pageWidth = 612;  // points: 8.5 inches
    SInt16 pageHeight = 792; // points: 11 inches
    // Pixels per inch of the page ports: a multiple of 72 from 72 to 576.
    SInt16 resolution = 144;
    // Points kept blank on every side by the session's page rectangle
    // (GetPrintPageRect); twice the margin must leave room on the page.
    SInt16 margin = 36;
};

// Error codes of KsPrError besides noErr and paramErr.
constexpr OSErr kPrOpenErr = -1100;  // the file could not be created
constexpr OSErr kPrWriteErr = -1101; // the file could not be written
constexpr OSErr kPrAbortErr = 128;   // the job was aborted
constexpr OSErr kPrNoJobErr = -1102; // a page call without a job in progress

// Starts a job writing to pdfPath (UTF-8 path); settings null means the
// defaults. Raises "TBX_PRINT_SETTINGS" for sizes outside 1..16383 points or
// an unsupported resolution, "TBX_PRINT_OPEN" when the file cannot be made.
KsPrintJob* KsPrOpenDoc(const char* pdfPath, const KsPrintSettings* settings);
// Opens the next page: a white port of the page size in points, made
// current; the caller's current port comes back at KsPrClosePage. The port
// belongs to the job. Asserts when a page is already open.
GrafPort* KsPrOpenPage(KsPrintJob* job);
// Hands the open page's pixels to the file. Raises "TBX_PRINT_WRITE".
void KsPrClosePage(KsPrintJob* job);
// Finishes the file and disposes of the job (an open page is closed
// first). Raises "TBX_PRINT_WRITE" when the file could not be completed, in
// which case nothing is left at the path.
void KsPrCloseDoc(KsPrintJob* job);
// Disposes of the job without producing a file.
void KsPrAbortDoc(KsPrintJob* job);
// Pages handed to the file so far.
SInt32 KsPrPageCount(const KsPrintJob* job);
// The result of the last printing call of this thread: noErr or a code above.
OSErr KsPrError();

// ---------------------------------------------------------------------------
// The print session

// Output path of the following jobs (UTF-8); null: the default naming above.
void KsPrSetOutputPath(const char* pdfPath);
// Page setup of the following jobs; null: the defaults.
void KsPrSetPageSetup(const KsPrintSettings* settings);
KsPrintSettings KsPrGetPageSetup();

// Starts a job named jobName (toolbox text; null: "Untitled"). Answers noErr,
// or the failure (also kept for KsPrError and KsPrLastFailure): paramErr for
// an unusable page setup, kPrOpenErr when no file can be made. A job still in
// progress (its PrintFini was missed) is discarded first. Never raises.
OSErr PrintInit(const char* jobName = nullptr);
// Opens the next page and makes its port current (the caller's port comes
// back at EndPrintPage). Raises "TBX_PRINT_NO_JOB" without a job in progress
// and the page errors of KsPrOpenPage.
void StartPrintPage();
// Hands the page to the file. Raises "TBX_PRINT_WRITE" on failure.
void EndPrintPage();
// The printable part of the page, in the page port's coordinates: the page
// inset by the margin. Without a job, that of the current page setup.
Rect GetPrintPageRect();

enum class KsPrintEnd {
    kComplete, // write the file
    kDiscard,  // leave nothing behind (a page procedure failed)
};
// Ends the job in every case: closes an open page, completes or discards the
// file, and forgets the job. Answers noErr when a file was written, else the
// first failure since PrintInit (kPrAbortErr when discarded). Never raises.
OSErr PrintFini(KsPrintEnd end = KsPrintEnd::kComplete);
// Whether a job is in progress, its pages so far, and the file it writes
// (after PrintFini, the file the last job wrote or would have written).
bool KsPrJobInProgress();
SInt32 KsPrJobPageCount();
const char* KsPrJobPath();
// The error behind the last failure of the session (no error after success),
// for showing to the user.
XError KsPrLastFailure();
