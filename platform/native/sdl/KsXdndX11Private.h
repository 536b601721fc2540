// What the XDND target and source share on X11: connections of their own to
// the display SDL's window is on, so that the protocol's traffic never
// passes through SDL's event queue.
#pragma once

#if defined(KS_HAVE_X11)

#include <SDL.h>
#include <X11/Xlib.h>

#include <string>
#include <string_view>

struct KsXdndConnection {
    Display* dpy = nullptr; // ours
    Display* sdl = nullptr; // SDL's, not ours
    Window top = 0;         // SDL's window
};

// Opens a connection to the display of an X11 SDL window; false (nothing
// opened) for any other window. A peer that vanished mid-drag makes its
// window a bad one: errors on our connections are ignored, not fatal.
bool KsXdndConnect(SDL_Window* window, KsXdndConnection* out);
void KsXdndDisconnect(Display* dpy);

// Sends the XDND client message `type` to `to`, naming `about` as the window
// it concerns and `from` as ours, with the message's four data words; flushed.
void KsXdndSend(Display* dpy, Window to, Window about, Atom type, Window from, long l1, long l2,
                long l3, long l4);

// STRING is ISO Latin-1. Characters it lacks become '?'.
std::string KsXdndLatin1ToUTF8(std::string_view latin1);
std::string KsXdndUTF8ToLatin1(std::string_view utf8);

#endif
