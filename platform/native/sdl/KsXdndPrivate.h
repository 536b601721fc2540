// Drags with other X11 applications (XDND, version 5, taking the versions
// and habits of older peers). The SDL window's X handle names our window;
// the protocol runs on connections of our own, so that SDL's event loop
// never sees it and nothing is handled twice. The target takes drops
// through a proxy window.
//
// Peers are not trusted: a transfer is bounded (kKsDropMaxBytes, also in
// pieces, INCR), its type must be the one asked for, data that does not
// parse is refused, and a peer that stops answering is dropped after
// kXdndTimeoutMs.
#pragma once

#include "KsSystemDrag.h"

#include <SDL.h>

#include <memory>

constexpr long kXdndTimeoutMs = 3000;

class KsXdndTarget {
public:
    // Null when the window is not an X11 one or X is not built in.
    static std::unique_ptr<KsXdndTarget> Open(SDL_Window* window);
    virtual ~KsXdndTarget() = default;
    // Advertises the window to drag sources, or withdraws it.
    virtual void Enable(bool on) = 0;
    // Handles what peers sent; never blocks.
    virtual void Pump() = 0;
    // While a drag is under way, waits for input are kept short.
    virtual bool Busy() const = 0;
};

// Drags out to other X11 applications: offers files as text/uri-list and
// text as text/plain;charset=utf-8, UTF8_STRING and STRING, through
// XdndProxy where a window names one. A peer that stops answering is left
// after kXdndTimeoutMs.
class KsXdndSource : public KsDragSource {
public:
    // Null when the window is not an X11 one or X is not built in.
    static std::unique_ptr<KsXdndSource> Open(SDL_Window* window);
    virtual ~KsXdndSource() = default;
};
