// The active record as the input methods' client, and its styled scrap (not
// installed).
#pragma once

#include "TEPrivate.h"

#include <vector>

// The glue's active record receives compositions and commits from now on
// (Attach), or no longer (Detach: its composition is dropped undrawn, since
// the record may be going).
void TETextInputAttach(TEHandle te);
void TETextInputDetach(TEHandle te);

// Copy: the runs of r's selection join the 'TEXT' just put on the scrap.
void TEPutScrapStyles(TERec& r);
// Paste: the runs of the scrap's text, whose length goes to textLength
// (empty when it has none, or for a plain record). Damaged runs raise XError.
std::vector<TEStyleRun> TEScrapStyles(const TERec& r, SInt32* textLength);
// Gives the text just pasted at [start, start + length) its runs, as part of
// the paste's undo step, and draws the record again.
void TEApplyPastedStyles(TERec& r, SInt32 start, SInt32 length,
                         const std::vector<TEStyleRun>& runs);
