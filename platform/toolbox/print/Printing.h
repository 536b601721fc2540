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
#pragma once

#include "KsMacTypes.h"

struct GrafPort;
struct KsPrintJob;

struct KsPrintSettings {
    SInt16 pageWidth = 612;  // points: 8.5 inches
    SInt16 pageHeight = 792; // points: 11 inches
    // Pixels per inch of the page ports: a multiple of 72 from 72 to 576.
    SInt16 resolution = 144;
};

// Error codes of KsPrError besides noErr and paramErr.
constexpr OSErr kPrOpenErr = -1100;  // the file could not be created
constexpr OSErr kPrWriteErr = -1101; // the file could not be written
constexpr OSErr kPrAbortErr = 128;   // the job was aborted

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
