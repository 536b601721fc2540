// XError: the one error type of the stack, and the error-stack queries.
//
// An XError carries a symbolic code ("MEM_LOW", "UIS_PANE_RSRC_NOT_FOUND") and
// typed parameters named by a descriptor of the form "<type> <name>", for
// example "str what", "short OSErr" or "int line". Its user text comes from the
// error-message table (see EMRegisterMessages): "{name}" in a table text is
// replaced by that parameter's value. A code with no table entry is its own
// text. A printf-style text set with SetText overrides the table.
//
// Errors stack: a handler that adds context pushes a new level (PushLevel);
// level 1 is the original error and level Levels() the top, the most general
// one, which is what a dialog shows first. Copies of an XError share one
// reference-counted stack, so context added through any copy is seen by all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

struct XErrorParam {
    std::string type; // "str", "int", "short", "long", "double", "bool", ...
    std::string name;
    std::string value; // as text, the form the message texts show
    std::int64_t intValue = 0;
};

class XError {
public:
    // No error: null code, no levels.
    XError();
    explicit XError(const char* code);
    XError(std::string_view code);
    // Code plus (descriptor, value) pairs: XError("SYS_ERROR", "short OSErr", err).
    template <class... Args>
    XError(const char* code, const char* desc, Args&&... rest) : XError(code) {
        AddParams(desc, std::forward<Args>(rest)...);
    }

    // The top level's code; null when there is no error.
    const char* GetCode() const;
    // True when any level carries this code.
    bool FindCode(const char* code) const;
    bool IsError() const { return Levels() > 0; }

    int Levels() const;
    // Code of one level (1 = original, Levels() = top); null out of range.
    const char* GetCode(int level) const;
    // User text of one level, after translation and parameter substitution.
    std::string GetText(int level) const;
    std::string GetText() const { return GetText(Levels()); }

    // Parameters of the top level.
    XError& AddParam(const char* desc, std::string_view value);
    XError& AddParam(const char* desc, const char* value) {
        return AddParam(desc, std::string_view(value ? value : ""));
    }
    XError& AddParam(const char* desc, const std::string& value) {
        return AddParam(desc, std::string_view(value));
    }
    XError& AddParam(const char* desc, double value);
    template <class T, class = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
    XError& AddParam(const char* desc, T value) {
        return AddIntParam(desc, static_cast<std::int64_t>(value));
    }
    // Top-level parameter by name; null when absent.
    const XErrorParam* FindParam(std::string_view name) const;
    const XErrorParam* FindParam(int level, std::string_view name) const;
    int ParamCount(int level) const;
    const XErrorParam* GetParam(int level, int index) const;

    // A printf-style text for the top level, used instead of the table's.
    XError& SetText(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Adds a level above the current top (context for the error below).
    template <class... Args> XError& PushLevel(const char* code, Args&&... params) {
        PushCode(code);
        if constexpr (sizeof...(Args) > 0) AddParams(std::forward<Args>(params)...);
        return *this;
    }

    struct Stack;

private:
    XError& AddIntParam(const char* desc, std::int64_t value);
    void PushCode(std::string_view code);
    template <class V, class... Rest> void AddParams(const char* desc, V&& value, Rest&&... rest) {
        AddParam(desc, std::forward<V>(value));
        if constexpr (sizeof...(Rest) > 0) AddParams(std::forward<Rest>(rest)...);
    }
    Stack& Mutable();

    std::shared_ptr<Stack> stack_;
};

// Raising. Every raise of the stack goes through here.
[[noreturn]] void xraisexerror(const XError& error);
[[noreturn]] void xraisexerror(const char* code);
template <class... Args>
[[noreturn]] void xraisexerror(const char* code, const char* desc, Args&&... params) {
    xraisexerror(XError(code, desc, std::forward<Args>(params)...));
}

// The standard catch: call only inside a catch block. An XError comes back as
// it is; a std::exception becomes "std::exception" with "str what"; anything
// else becomes the "serious error" code. The last two call the log hook.
XError XErrorFromCurrentException();

// Runs fn under the standard catch; answers the caught error (no levels when
// nothing was raised).
template <class Fn> XError KsTryStandard(Fn&& fn) {
    try {
        fn();
    } catch (...) {
        return XErrorFromCurrentException();
    }
    return XError();
}

extern const char* const kXErrorSeriousCode;

// Log hook of the core services: called with a line of text, or null.
extern void (*__logFunc)(const char* text);

// Marks an error as the one being handled for the lifetime of this object;
// the ES/EM queries below read it. Nests.
class StSetCurrentException {
public:
    explicit StSetCurrentException(const XError& error);
    ~StSetCurrentException();
    StSetCurrentException(const StSetCurrentException&) = delete;
    StSetCurrentException& operator=(const StSetCurrentException&) = delete;

private:
    const XError* previous_;
};

// The error currently being handled; an XError with no levels when none.
const XError& ESGetCurrent();
// Resets the current-exception state (start-up).
void ESInit();
// Number of levels of the current error (0 when none).
int ESGetTopLevel();
// Text of one level / of the top level into a buffer of `size` bytes, always
// terminated and cut to fit. Answers the length written.
int EMGetErrorMsgLevel(char* buffer, int size, int level);
int EMGetErrorMsg(char* buffer, int size);

// The error-message table: code -> user text and help code. Later
// registrations win over earlier ones for the same code.
struct EMMessage {
    const char* code;
    const char* text;
    const char* helpCode; // null when the error has no help topic
};
void EMRegisterMessages(const EMMessage* table, int count);
// Text and help code of a code; null when the code has no entry.
const EMMessage* EMLookUp(const char* code);

// Showing an error where no dialog is at hand. The framework installs a hook
// that puts up its message box; until then the text goes to the debug output.
using XDisplayProc = void (*)(const char* code);
XDisplayProc xInstallDisplay(XDisplayProc proc);
void xDisplay(const char* code);
