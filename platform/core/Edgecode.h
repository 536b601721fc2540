// Film edgecode: a key-number prefix (the header) and a frame count on a
// film gauge, with its text forms.
//
// An edgecode_t is a plain 28-byte value: the header (up to 8 letters and
// digits, NUL-padded), the film type in the third 32-bit field, and the frame
// count in the seventh. The frame count is shown as feet and frames; how many
// frames make a foot depends on the film:
//   kECFilm35mm4Perf  16 frames a foot
//   kECFilm16mm       40 frames a foot
//   kECFilm35mm3Perf  64 frames every 3 feet: a foot holds the frames that
//                     start in it, so the feet of each 3-foot cycle hold
//                     22, 21 and 21 frames
//   kECFilm35mm2Perf  32 frames a foot
// Negative frame counts are shown with a '-' before the magnitude's feet and
// frames ("-12+03").
//
// Text written (flags: kECFormatValid 0x02 shows the value; without it the
// text is empty):
//   ECToFootageStr     "feet+FF"            "0+05", "1234+15", "-2+00"
//   ECToStrSansHeader  feet as 4 digits      "0012+05"
//   ECToStr            "HEADER feet+FF"     "KZ123456 0012+05" (without a
//                                            header, as ECToStrSansHeader)
//
// Text read (leading and trailing blanks are ignored):
//   the count: an optional '+' or '-', then feet and frames split by one of
//   '+' ':' ';' '.' ',' ("12+05"), or a run of digits whose last two are the
//   frames ("1205"; "5" is 5 frames); frames must be below the frames in that
//   foot;
//   ECStrToEC also accepts a header before the count: blank-separated groups
//   of letters and digits, 8 characters in all at most, kept upper-case
//   ("KZ 12 3456 0012+05"). Without one, the header already in *ec stays.
// The film type is always the one already in *ec. Anything else fails.
//
// Buffers: every function that writes text writes at most `length` bytes
// including the terminating NUL. A null or empty text is a failure, never a
// crash.
#pragma once

#include "KsMacTypes.h"

struct edgecode_t {
    char header[8];     // key-number prefix, NUL-padded (no NUL when all 8 are used)
    SInt32 filmType;    // an ECFilmType
    SInt32 reserved[3]; // zero; kept as given
    SInt32 frames;      // frame count
};
static_assert(sizeof(edgecode_t) == 28, "edgecode_t is a 28-byte value");

enum ECFilmType : SInt32 {
    kECFilm35mm4Perf = 0,
    kECFilm16mm = 1,
    kECFilm35mm3Perf = 2,
    kECFilm35mm2Perf = 3,
};

enum : UInt16 { kECFormatValid = 0x02 };

bool ECIsValidFilmType(SInt32 filmType);

// The film type of ECGetDefault, 35 mm 4-perf until changed. Answers false
// (and changes nothing) for an unknown film type.
bool ECSetDefaultFilmType(SInt32 filmType);

// No header, the default film type, frame count 0.
edgecode_t ECGetDefault();
// An edgecode with this film type, header (null for none; letters and digits,
// at most 8 are kept) and frame count.
edgecode_t ECMake(SInt32 filmType, const char* header, SInt32 frames);

// Same header, film type and frame count.
bool ECEqual(const edgecode_t& a, const edgecode_t& b);
// A copy of `ec` with another frame count.
edgecode_t ECSetFrames(const edgecode_t& ec, SInt32 frames);

// Writers (see above). Answer true when the buffer holds the whole text
// (empty without kECFormatValid); false for an unknown film type, a null
// buffer or one too small, leaving the empty text when there is room for it.
bool ECToStr(const edgecode_t& ec, char* buffer, int length, UInt16 flags);
bool ECToFootageStr(const edgecode_t& ec, char* buffer, int length, UInt16 flags);
bool ECToStrSansHeader(const edgecode_t& ec, char* buffer, int length, UInt16 flags);

// Readers (see above). On success *ec takes the header (when the text has
// one) and the frame count, and the answer is true; on failure *ec is
// unchanged.
bool ECStrToEC(edgecode_t* ec, const char* text);
bool ECFootageStrToEC(edgecode_t* ec, const char* text);

// Tidies an edgecode count as it is typed, in place in a buffer of `length`
// bytes: a '-', '+' or blank in the first position stays, every other
// non-digit is dropped, the last 8 digits are kept and '+' is put before the
// last two: "1205" becomes "12+05". Applying it twice changes nothing.
// Answers the new length; 0 for a null or empty text.
int ECAdjustStr(char* text, int length);
