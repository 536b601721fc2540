// The timecode window's editable fields: a timecode field per rate, an
// edgecode field, and integer and float fields with limits.
#pragma once

class APane;

// Puts the fields into `art`, the window's drawing pane, one row each, with
// their labels on the left.
void AddValueFields(APane* art);
