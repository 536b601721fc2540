// User-visible text and its translation.
#pragma once

// The translation of a user-visible string. A translator's note after "//" is
// never shown; a string without a translation answers itself without its note.
// The answer stays valid for the life of the process.
const char* stx(const char* text);
