// Drop messages and the deferred drop exception.
//
// While a drop is handled, code collects texts for the user with
// AddDragMessage; DisplayDragMessages shows them once the drop is over. An
// error raised while a drop is handled is kept (RecordDragException) and
// raised again by APane::DoDrag once the drag has ended, so that a failing
// drop handler never leaves a drag half done.
#pragma once

#include "XError.h"

#include <cstddef>

// Each message is kept cut to kDragMessageMax - 1 characters; the whole text
// goes to the application's log.
constexpr std::size_t kDragMessageMax = 1024;

void AddDragMessage(const char* text);
// One message is shown itself; several are summed up by a pointer to the log.
// Either way in a message box with the button "OK". The messages stay.
void DisplayDragMessages();
void DeleteDragMessages();
int CountDragMessages();
// From 0; null out of range.
const char* GetDragMessage(int index);

// The first error recorded since the last clear; no error (IsError false)
// when none was.
const XError& GetDragException();
void RecordDragException(const XError& error);
void ClearDragException();
