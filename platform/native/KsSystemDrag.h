// Drags with other applications, as back ends see them: what is offered
// (file paths and text, UTF-8), the sink that the framework installs to hear
// of drags arriving over the desktop, and the checks every back end applies
// to data that another application sends.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct KsDragItem {
    enum class Kind : UInt8 { file, text };
    Kind kind = Kind::text;
    std::string utf8; // a file's absolute path, or the text
};

enum class KsDropPhase : UInt8 { enter, within, leave };

// Where drags from other applications go while drops are enabled.
class KsDropSink {
public:
    // A drag entering, moving over or leaving the desktop, offering `kinds`;
    // answers whether a drop at (h, v) would be taken.
    virtual bool DropTrack(KsDropPhase phase, SInt32 h, SInt32 v, UInt16 modifiers,
                           const std::vector<KsDragItem::Kind>& kinds) = 0;
    // The drop. Without a point (hasPoint false) the system told none: the
    // drop is where the pointer was last seen. Answers whether it was taken.
    virtual bool DropDeliver(SInt32 h, SInt32 v, bool hasPoint, UInt16 modifiers,
                             const std::vector<KsDragItem>& items) = 0;

protected:
    ~KsDropSink() = default;
};
// Installs the sink (null removes it); answers the previous one.
KsDropSink* KsSetDropSink(KsDropSink* sink);
KsDropSink* KsGetDropSink();

// Drops from other applications on or off (off at start). A back end with a
// native drop target installs a switch for it, which is told the current
// state at once and every change after; null removes it.
using KsDropSwitch = void (*)(bool on, void* data);
void KsSetDropSwitch(KsDropSwitch fn, void* data);
void KsEnableSystemDrops(bool on);
bool KsSystemDropsEnabled();

// Data from another application is bounded: whole transfers above this many
// bytes, and lists of more items, are refused.
constexpr std::size_t kKsDropMaxBytes = 8u << 20;
constexpr std::size_t kKsDropMaxItems = 4096;

// A text/uri-list (RFC 2483): comment lines skipped, CR LF or LF line ends.
// Only file: URIs naming this machine become paths (percent-decoded). Answers
// false, leaving `paths` empty, when a line is no URI, a file URI names
// another host, decodes to a NUL or a relative path, or there are too many.
bool KsParseUriList(std::string_view data, std::vector<std::string>* paths);
// The file: URI of an absolute path, with the characters a URI cannot carry
// percent-encoded.
std::string KsFileUri(std::string_view path);
// Text offered as UTF-8: false when it is not well formed or holds a NUL.
bool KsIsDropText(std::string_view data);

// A drag leaving the application, as a back end with a native drag service
// runs it. The framework follows the pointer and the button and tracks its
// own panes; the source finds the other application's window under the
// pointer and talks with it.
class KsDragSource {
public:
    // Offers `items` (at least one); false when no drag can start.
    virtual bool DragBegin(const std::vector<KsDragItem>& items) = 0;
    // The pointer is at desktop point (h, v); answers whether it is over this
    // application's own window (the framework's panes take the drag there).
    // Serves what the other application asked for meanwhile; never waits
    // for its answers.
    virtual bool DragMove(SInt32 h, SInt32 v) = 0;
    // The button came up at the last point (drop true) or the drag was
    // cancelled. Answers whether another application took the drop, waiting
    // a bounded time for its answer.
    virtual bool DragEnd(bool drop) = 0;

protected:
    ~KsDragSource() = default;
};
// Installs the back end's source (null removes it); answers the previous one.
KsDragSource* KsSetDragSource(KsDragSource* source);
KsDragSource* KsGetDragSource();
