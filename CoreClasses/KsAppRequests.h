// Outside requests: what other programs and the system ask of the application.
//
// A request is an event descriptor with a class, an ID and parameters, all
// four-character codes; AApplication::DoAppleEvent is the one place that acts
// on them. They arrive from the command line (the documents named at launch
// become an open-documents request), from SIGTERM and SIGINT (a quit request),
// from the desktop's own quit request, and from the application's request
// socket, a Unix socket in a private per-user folder that scripts, test tools
// and a second launch of the program talk to.
//
// The socket speaks text, one request per connection, ended by an empty line
// or by the end of the stream; the application answers one line:
//
//     NICK <nick> [<modifiers>]      run a command by nick number
//     OPEN                           open documents: one absolute path per
//     <path>                         following line
//     QUIT                           quit (dirty windows are asked)
//     PING                           answers OK
//
//     answer: "OK <result>\n" or "ERR <code>\n"
//
// Numbers are decimal or 0x hexadecimal. A request is at most
// kKsAppRequestMaxBytes long and names at most kKsAppRequestMaxFiles files.
#pragma once

#include "KsMacTypes.h"

#include <cstddef>
#include <string>
#include <vector>

using DescType = UInt32;
using AEKeyword = UInt32;
using AEEventClass = UInt32;
using AEEventID = UInt32;

constexpr UInt32 KsFourCC(const char (&s)[5]) {
    return UInt32(UInt8(s[0])) << 24 | UInt32(UInt8(s[1])) << 16 | UInt32(UInt8(s[2])) << 8 |
           UInt32(UInt8(s[3]));
}

enum : UInt32 {
    typeNull = 0,
    typeAppleEvent = KsFourCC("aevt"),
    typeAEList = KsFourCC("list"),
    typeSInt32 = KsFourCC("long"),
    typeSInt16 = KsFourCC("shor"),
    typeType = KsFourCC("type"),
    typeFSS = KsFourCC("fss "), // on this platform: a file's path, UTF-8, any length
    typeProcessSerialNumber = KsFourCC("psn "),
    keyEventClassAttr = KsFourCC("evcl"),
    keyEventIDAttr = KsFourCC("evid"),
    keyDirectObject = KsFourCC("----"),
    kCoreEventClass = KsFourCC("aevt"),
    kAEOpenApplication = KsFourCC("oapp"),
    kAEOpenDocuments = KsFourCC("odoc"),
    kAEPrintDocuments = KsFourCC("pdoc"),
    kAEQuitApplication = KsFourCC("quit"),
    kAEShowPreferences = KsFourCC("pref"),
    kKsEventClass = KsFourCC("Kesk"),
    kKsEventNick = KsFourCC("Nick"),
    keyKsNick = KsFourCC("nick"),
    keyKsKeys = KsFourCC("keys"),
    typeWildCard = KsFourCC("****"),
};

// Request results (toolbox error numbers).
enum : OSErr {
    kAENoErr = 0,
    userCanceledErr = -128,
    errAECoercionFail = -1700,
    errAEDescNotFound = -1701,
    errAEWrongDataType = -1703,
    errAEEventNotHandled = -1708,
    errAEBadListItem = -1719,
    errAEEventFailed = -10000,
};

// A descriptor: typed bytes, or for a list its items, or for an event its
// attributes and parameters (keys[i] names items[i]).
struct AEDesc {
    DescType descriptorType = typeNull;
    std::vector<UInt8> data;
    std::vector<AEKeyword> keys;
    std::vector<AEDesc> items;
};

OSErr KsAECreateEvent(AEEventClass eventClass, AEEventID eventID, AEDesc* out);
OSErr AECreateList(AEDesc* out);
OSErr AEPutPtr(AEDesc* list, long index, DescType type, const void* data, Size size); // 0: append
OSErr AEPutParamPtr(AEDesc* event, AEKeyword key, DescType type, const void* data, Size size);
OSErr AEPutParamDesc(AEDesc* event, AEKeyword key, const AEDesc* desc);
// Reading answers errAEDescNotFound for a missing key, errAEWrongDataType
// when the type differs (typeWildCard takes any), and copies at most
// maxSize bytes; *actualSize gets the whole size.
OSErr AEGetAttributePtr(const AEDesc* event, AEKeyword key, DescType type, DescType* typeCode,
                        void* data, Size maxSize, Size* actualSize);
OSErr AEGetParamPtr(const AEDesc* event, AEKeyword key, DescType type, DescType* typeCode,
                    void* data, Size maxSize, Size* actualSize);
OSErr AEGetParamDesc(const AEDesc* event, AEKeyword key, DescType type, AEDesc* out);
OSErr AECountItems(const AEDesc* list, long* count);
OSErr AEGetNthDesc(const AEDesc* list, long index, DescType type, AEKeyword* key, AEDesc* out);
OSErr AEDisposeDesc(AEDesc* desc);

// The installed handler of every request; AApplication installs its own.
using KsAEHandler = OSErr (*)(AEDesc* event, AEDesc* reply, long refcon);
KsAEHandler KsAESetHandler(KsAEHandler handler, long refcon);
// Hands a request to the installed handler; errAEEventNotHandled without one.
OSErr KsAEDispatch(AEDesc* event, AEDesc* reply);

// ---------------------------------------------------------------------------
// The request socket

constexpr std::size_t kKsAppRequestMaxBytes = 64 * 1024;
constexpr int kKsAppRequestMaxFiles = 256;

// Parses one request of the socket's text form into an event descriptor.
// Raises XError "APP_REQUEST_BAD" ("str reason") for anything malformed: an
// unknown verb, a bad number, a relative or empty path, a NUL byte, too many
// files, too long a request. Reads only the len bytes given.
void KsParseAppRequest(const char* text, std::size_t len, AEDesc* out);

// The folder the application's socket lives in: $XDG_RUNTIME_DIR/<name>, or
// /tmp/kstavik20-<uid>/<name> without XDG_RUNTIME_DIR; made with mode 0700.
// Raises "APP_REQUEST_FOLDER" ("str path") when the folder exists but is not
// a folder of this user closed to everybody else.
std::string KsAppRequestFolder(const char* appName);
std::string KsAppRequestSocketPath(const char* appName);

// Sends one request to a running application and reads its answer line
// (without the line end). Answers false when nobody listens there or the
// exchange fails within timeoutMs.
bool KsSendAppRequest(const std::string& socketPath, const std::string& request,
                      std::string* answer, int timeoutMs = 5000);
