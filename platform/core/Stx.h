// User-visible text and its translation.
//
// Every user-visible string passes through stx. A translation table for the
// current language maps source texts to translations; a translator's note
// after "//" in a source text is never shown.
//
// Table files are UTF-8 text named "<name>.<language>.stx", looked for in the
// table folders (first match wins; see StxSetTableFolders). Each line is blank,
// a comment starting with '#', or an entry:
//
//     # Window titles
//     "Console//Window title" = "Konsole"
//     "Line %d\nof %d" = "Zeile %d\nvon %d"   # escapes: \" \\ \n \r \t
//
// The source text is matched exactly, note included, so one word can carry
// two translations told apart by their notes; an entry written without a note
// also serves that text with any note. An empty translation means "not
// translated yet" and is skipped. Texts are held in Mac OS Roman in memory: a
// character without a Mac OS Roman form, bad UTF-8, a bad escape or a source
// text given twice makes the table corrupt (XError "STX_TABLE_CORRUPT" with
// the file and line).
#pragma once

#include <string>
#include <vector>

// The translation of a user-visible string, or the string itself without its
// note when the table has none. Null answers "". The answer stays valid for the
// life of the process. Allocation-free once a text has been seen.
const char* stx(const char* text);

// The translation of a printf format, used only when it asks for exactly
// the conversions the source does (a translation table is outside data);
// otherwise the source without its note.
const char* stxChecked(const char* format);
// Formats with the checked translation of format.
std::string stxFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Loads the table `name` for the current language and makes it the one stx
// uses (the languages are tried in order, each in every folder). Answers true
// when a table was loaded. When none exists the texts stay untranslated and
// the answer is false; with `mustExist` that raises "STX_TABLE_NOT_FOUND"
// instead, unless no language asks for a translation (C or POSIX locale).
// A corrupt or unreadable table raises and leaves the current table in place.
bool InitTranslationTable(const char* name, bool mustExist);

// Drops the current table: stx answers the source texts again.
void StxClearTranslationTable();

// Folders searched for tables. Until set (or after setting an empty list) the
// default is StxDefaultTableFolders().
void StxSetTableFolders(std::vector<std::string> folders);
std::vector<std::string> StxGetTableFolders();
// "<base>/<application>/translations" for $XDG_DATA_HOME (default
// ~/.local/share) and then each of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share); relative bases are ignored, as the XDG rules ask.
// The application name defaults to the program's file name.
std::vector<std::string> StxDefaultTableFolders(const char* applicationName = nullptr);

// Languages to try, most wanted first ("de_CH", "de"). Until set (or after
// setting an empty list) they come from the environment.
void StxSetLanguages(std::vector<std::string> languages);
// From $LANGUAGE (a colon-separated list, ignored when the locale is
// explicitly C, C.<codeset> or POSIX) and else the first set of $LC_ALL, $LC_MESSAGES and
// $LANG. "de_DE.UTF-8@euro" yields "de_DE@euro", "de_DE", "de@euro", "de". Names with
// characters other than letters, digits, '_', '-' and '@' are ignored.
std::vector<std::string> StxLanguagesFromEnvironment();
