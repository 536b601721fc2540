// Hooks the framework fills: the message dialog and the progress routines.
//
// The core library and everything above it show every message box through
// UIdialog and report long operations through the UIstat calls; the
// framework installs the real implementations at start-up. Until then a
// message goes to the debug output and answers its default button, and the
// progress calls do nothing.
#pragma once

#include <string>

// Icon of a message box: 0 none/note, 1 note, 2 stop, 3 caution; other values
// name an icon resource.
using UIicon_t = short;

// text: the message (lines end at CR, LF or the two characters "\n"/"\r").
// buttons: labels separated by "|", at most 8; a label starting with "#" is a
// hidden choice with a number but no button. defaultButton and the answer
// count from 1; 255 means the dialog was closed without a button. tag and
// source only name the request; either may be null.
using UIdialogProc = short (*)(const char* text, const char* buttons, short defaultButton,
                               UIicon_t icon, const char* tag, bool flag, const char* source);

// Installs the message-box implementation; null restores the default.
// Answers the previous one (null for the default).
UIdialogProc InstallUIdialog(UIdialogProc proc);

short UIdialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
               const char* tag = nullptr, bool flag = false, const char* source = nullptr);

// Button lists: at most this many labels count; later ones are ignored.
constexpr int kUIdialogMaxButtons = 8;
// Labels are cut to this many bytes.
constexpr int kUIdialogMaxLabel = 47;
// Number of labels taken from a list (hidden ones included).
int UIdialogButtonCount(const char* buttons);
// Label `number` (from 1) of a list, cut to kUIdialogMaxLabel; the last label
// when the list is shorter, "" when number is 0 or less or the list is empty.
std::string UIdialogButtonLabel(const char* buttons, int number);

// Progress routines. Called on the main thread only: from any other thread
// the UIstat calls do nothing (progress is drawn by the main thread) and
// the first such call logs a warning.
using UIspinProc = void (*)(bool cancelAllowed, long delay);
using UIupdateProc = bool (*)(const char* message, long current, long total, bool cancelAllowed);
using UIresetProc = void (*)();
using UIcloseProc = void (*)();

// Installs all four at once; a null routine does nothing.
void InstallUIrtns(UIspinProc spin, UIupdateProc update, UIresetProc reset, UIcloseProc close);

// Spin the busy cursor; may raise "BASE_USER_ABORT" when cancelAllowed. A
// delay other than -1 replaces the delay before the cursor starts spinning.
void UIstatSpinCursor(bool cancelAllowed = false, long delay = -1);
// Report progress; may raise "BASE_USER_ABORT" when cancelAllowed.
bool UIstatUpdate(const char* message, long current, long total, bool cancelAllowed = false);
void UIstatReset();
void UIstatClose();
