#include "XError.h"

#include "KsFormat.h"
#include "KsOutput.h"
#include "Stx.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <vector>

// ---------------------------------------------------------------------------
// The shared stack

namespace {
struct Level {
    std::string code;
    std::vector<XErrorParam> params;
    std::string text; // set by SetText; overrides the table
    bool hasText = false;
};
} // namespace

struct XError::Stack {
    std::vector<Level> levels;
};

const char* const kXErrorSeriousCode =
    "A serious error has occurred!\nIt is recommended that you restart the application "
    "immediately.";

void (*__logFunc)(const char* text) = nullptr;

XError::XError() = default;

XError::XError(const char* code) : XError(std::string_view(code ? code : "")) {}

XError::XError(std::string_view code) : stack_(std::make_shared<Stack>()) {
    stack_->levels.push_back(Level{std::string(code), {}, {}, false});
}

XError::Stack& XError::Mutable() {
    if (!stack_) stack_ = std::make_shared<Stack>();
    if (stack_->levels.empty()) stack_->levels.push_back(Level{});
    return *stack_;
}

int XError::Levels() const {
    return stack_ ? int(stack_->levels.size()) : 0;
}

const char* XError::GetCode(int level) const {
    if (level < 1 || level > Levels()) return nullptr;
    return stack_->levels[size_t(level - 1)].code.c_str();
}

const char* XError::GetCode() const {
    return GetCode(Levels());
}

bool XError::FindCode(const char* code) const {
    if (!code || !stack_) return false;
    for (const Level& l : stack_->levels)
        if (l.code == code) return true;
    return false;
}

namespace {
// Parses "<type> <name>"; a descriptor without a space is a bare name of type "str".
void SplitDesc(const char* desc, std::string& type, std::string& name) {
    std::string_view d(desc ? desc : "");
    size_t sp = d.find(' ');
    if (sp == std::string_view::npos) {
        type = "str";
        name = std::string(d);
    } else {
        type = std::string(d.substr(0, sp));
        name = std::string(d.substr(sp + 1));
    }
}
} // namespace

XError& XError::AddParam(const char* desc, std::string_view value) {
    XErrorParam p;
    SplitDesc(desc, p.type, p.name);
    p.value = std::string(value);
    Mutable().levels.back().params.push_back(std::move(p));
    return *this;
}

XError& XError::AddParam(const char* desc, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", value);
    XErrorParam p;
    SplitDesc(desc, p.type, p.name);
    p.value = buf;
    Mutable().levels.back().params.push_back(std::move(p));
    return *this;
}

XError& XError::AddIntParam(const char* desc, std::int64_t value) {
    XErrorParam p;
    SplitDesc(desc, p.type, p.name);
    p.value = std::to_string(value);
    p.intValue = value;
    Mutable().levels.back().params.push_back(std::move(p));
    return *this;
}

const XErrorParam* XError::FindParam(int level, std::string_view name) const {
    if (level < 1 || level > Levels()) return nullptr;
    for (const XErrorParam& p : stack_->levels[size_t(level - 1)].params)
        if (p.name == name) return &p;
    return nullptr;
}

const XErrorParam* XError::FindParam(std::string_view name) const {
    return FindParam(Levels(), name);
}

int XError::ParamCount(int level) const {
    if (level < 1 || level > Levels()) return 0;
    return int(stack_->levels[size_t(level - 1)].params.size());
}

const XErrorParam* XError::GetParam(int level, int index) const {
    if (index < 0 || index >= ParamCount(level)) return nullptr;
    return &stack_->levels[size_t(level - 1)].params[size_t(index)];
}

XError& XError::SetText(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::string text = KsVFormat(format, ap);
    va_end(ap);
    Level& top = Mutable().levels.back();
    top.text = std::move(text);
    top.hasText = true;
    return *this;
}

void XError::PushCode(std::string_view code) {
    if (!stack_) stack_ = std::make_shared<Stack>();
    stack_->levels.push_back(Level{std::string(code), {}, {}, false});
}

std::string XError::GetText(int level) const {
    if (level < 1 || level > Levels()) return {};
    const Level& l = stack_->levels[size_t(level - 1)];
    if (l.hasText) return l.text;
    const EMMessage* m = EMLookUp(l.code.c_str());
    std::string_view templ = stx(m ? m->text : l.code.c_str());
    // Substitute "{name}" with the parameter's value; anything else stays as is.
    std::string out;
    out.reserve(templ.size());
    for (size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '{') {
            size_t close = templ.find('}', i + 1);
            if (close != std::string_view::npos) {
                std::string_view name = templ.substr(i + 1, close - i - 1);
                if (const XErrorParam* p = FindParam(level, name)) {
                    out += p->value;
                    i = close;
                    continue;
                }
            }
        }
        out += templ[i];
    }
    return out;
}

// ---------------------------------------------------------------------------
// Raising and the standard catch

void xraisexerror(const XError& error) {
    throw error;
}

void xraisexerror(const char* code) {
    throw XError(code);
}

XError XErrorFromCurrentException() {
    try {
        throw;
    } catch (const XError& e) {
        return e;
    } catch (const std::exception& e) {
        XError x("std::exception", "str what", e.what());
        if (__logFunc) __logFunc("Caught non-xraise exception!\n");
        return x;
    } catch (...) {
        if (__logFunc) __logFunc("Caught non-xraise exception!\n");
        return XError(kXErrorSeriousCode);
    }
}

// ---------------------------------------------------------------------------
// The current exception

namespace {
thread_local const XError* gCurrent = nullptr;
const XError& NoError() {
    static const XError none;
    return none;
}

int CopyCut(char* buffer, int size, const std::string& text) {
    if (!buffer || size <= 0) return 0;
    size_t n = std::min(text.size(), size_t(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return int(n);
}
} // namespace

StSetCurrentException::StSetCurrentException(const XError& error) : previous_(gCurrent) {
    gCurrent = &error;
}

StSetCurrentException::~StSetCurrentException() {
    gCurrent = previous_;
}

const XError& ESGetCurrent() {
    return gCurrent ? *gCurrent : NoError();
}

void ESInit() {
    gCurrent = nullptr;
}

int ESGetTopLevel() {
    return ESGetCurrent().Levels();
}

int EMGetErrorMsgLevel(char* buffer, int size, int level) {
    return CopyCut(buffer, size, ESGetCurrent().GetText(level));
}

int EMGetErrorMsg(char* buffer, int size) {
    return CopyCut(buffer, size, ESGetCurrent().GetText());
}

// ---------------------------------------------------------------------------
// The message table

namespace {
const EMMessage kCoreMessages[] = {
    {"MEM_LOW", "Memory is running low. Save your work and close some windows.//low memory",
     nullptr},
    {"MEM_DANGER_LOW", "Memory is dangerously low. Save your work now and restart the application.",
     nullptr},
    {"FATAL_ERROR", "A serious program error has occurred: {msg} ({file}, line {line}).", nullptr},
    {"BASE_USER_ABORT", "The operation was cancelled.", nullptr},
    {"SYS_ERROR", "A system error occurred (error {OSErr}).", nullptr},
    {"std::exception", "An unexpected error occurred: {what}", nullptr},
    {"DSK_underrun", "The disk could not keep up with the data rate.", "DSK_underrun"},
    {"DSK_image_too_large", "The image is too large.", "DSK_image_too_large"},
};

struct Table {
    std::mutex lock;
    std::map<std::string, EMMessage, std::less<>> byCode;
    Table() {
        for (const EMMessage& m : kCoreMessages)
            byCode[m.code] = m;
    }
};

Table& TheTable() {
    static Table table;
    return table;
}
} // namespace

void EMRegisterMessages(const EMMessage* table, int count) {
    Table& t = TheTable();
    std::lock_guard<std::mutex> g(t.lock);
    for (int i = 0; i < count; ++i)
        if (table[i].code && table[i].text) t.byCode[table[i].code] = table[i];
}

const EMMessage* EMLookUp(const char* code) {
    if (!code) return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.byCode.find(std::string_view(code));
    // Entries are never removed, so the pointer stays valid.
    return it == t.byCode.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------------------
// Display hook

namespace {
XDisplayProc gDisplay = nullptr;
}

XDisplayProc xInstallDisplay(XDisplayProc proc) {
    XDisplayProc old = gDisplay;
    gDisplay = proc;
    return old;
}

void xDisplay(const char* code) {
    if (gDisplay) {
        gDisplay(code);
        return;
    }
    const XError& current = ESGetCurrent();
    std::string text = current.IsError() ? current.GetText() : std::string(code ? code : "");
    dprintf("Error: %s\n", text.c_str());
}
