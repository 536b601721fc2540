// PaneStream and the pane property text ('KsP3').
//
// A 'KsP3' text is one pane tree written as lines:
//
//     <tabs><label, left-justified in 8 columns> <type>\t<value>\r
//
// type 'l' is a signed 32-bit decimal, 's' an escaped string (\r \n \\ and
// \0 for a null string), 'b' bytes as lowercase hex pairs, continued after
// every 32 bytes by " \" and a line end. The document is a "version" line
// (1) and the root's class block:
//
//     Class    s  <class name>
//         <property lines>
//         EndProps s
//         Subs     l  <n>          (containers; then n class blocks and "EndSubs")
//     EndClass s  <class name>
//
// The writer emits exactly this; the reader also takes LF, CR or CRLF line
// ends, any spaces and tabs before a label, blank lines, and uppercase hex.
// Bad text raises XError "UIS_PANE_TEXT_ERROR" naming the line
// (kPaneTextErrorCode, with "int line" and "str problem"); it never aborts.
//
// Classes: the table maps a class name (case-insensitive) to a factory and
// the property functions applied when writing and reading it. APane is
// registered by the framework; other pane classes add their rows with
// PaneTextRegisterClass when they register themselves.
#pragma once

#include "AStream.h"
#include "KsMacTypes.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class APane;
class AWindow;
class CoreAttrList;

extern const char* const kPaneTextErrorCode;    // "UIS_PANE_TEXT_ERROR"
extern const char* const kPaneTextOverflowCode; // "Readline_buffer_overflow"

class PaneStream : public AStream {
    KS_DECLARE_CLASS(PaneStream, AStream)

    // Labels longer than this are refused by the reader.
    static constexpr int kMaxLabel = 255;

    // A stream to write: starts empty and grows as lines are written.
    PaneStream();
    // A stream that reads `length` bytes of text; the text is not copied and
    // must outlive the stream.
    PaneStream(const char* text, long length);
    ~PaneStream() override;

    // Writing: the bytes written; reading: the position reached.
    long GetLength() const override;

    void PutLong(const char* label, SInt32 value) override;
    // A null string is written as \0; an empty one writes no value.
    void PutCString(const char* label, const char* s) override;
    void PutBytes(const char* label, const void* data, long length) override;
    // The same lines from counted text (the tree writer's path): a label of
    // any length as it is, a string that is never null.
    void WriteLong(std::string_view label, SInt32 value);
    void WriteString(std::string_view label, std::string_view s);
    void WriteBytes(std::string_view label, const void* data, std::size_t length);
    // The value of the next line, which must be an 'l' line with this label
    // (compared case-insensitively).
    SInt32 GetLong(const char* label) override;
    // Copies the value of the next line (an 's' line with this label) into
    // buf, terminated; a null buf skips the value. A value of size bytes or
    // more raises "Readline_buffer_overflow". Answers the length.
    long GetCString(const char* label, char* buf, long size) override;

    // Writing: room for about `bytes` of text in one piece, so that a
    // document of that size is neither moved nor joined. A hint: more text
    // still fits.
    void Reserve(std::size_t bytes);

    // Nesting: each level indents the written lines by one tab.
    void Indent(int delta);
    int GetIndent() const { return indent_; }

    // The written text (writing streams).
    const std::string& GetText() const {
        Join();
        return out_;
    }
    std::string TakeText() {
        Join();
        return std::move(out_);
    }

    // One line read. label points into the text being read; value is the
    // decoded value (bytes for 'b', the string for 's', the digits' value in
    // integer for 'l').
    struct Line {
        std::string_view label;
        char type = 0;
        std::string value;
        SInt32 integer = 0;
        int number = 0; // 1-based line number of the line's start
    };
    // Reads the next non-blank line; false at the end of the text.
    bool ReadLine(Line* line);
    // True when the next line has this label (case-insensitive) and type;
    // consumes nothing.
    bool NextLineIs(const char* label, char type);
    // True when nothing but blank lines (and trailing NULs) is left.
    bool AtEnd();
    // Line number of the last line read (0 before the first).
    int GetLineNumber() const { return lineNumber_; }
    // Raises the reader's error, naming line `line` (the last line read when 0).
    [[noreturn]] void Fail(const std::string& problem, int line = 0) const;

private:
    // Makes room for a line of at most `bound` bytes; appends then never
    // reallocate. Text is kept in pieces, joined once when it is asked for,
    // so a long document is neither copied on every growth nor faulted in
    // twice.
    void Room(std::size_t bound);
    void Join() const;
    // Appends the line head at d; answers the end.
    char* PutHead(char* d, std::string_view label, char type) const;
    // Line of at most `bound` bytes written in place by fill(d) -> end.
    template <class Fill> void PutLine(std::size_t bound, Fill fill);
    void SkipBlank();
    void ReadExpected(const char* label, char type, Line* line);

    // Writing: full pieces, then the piece being written.
    mutable std::vector<std::string> pieces_;
    mutable std::size_t piecesLength_ = 0;
    mutable std::string out_;
    int indent_ = 0;
    // Reading.
    const char* in_ = nullptr;
    long inLength_ = 0;
    long pos_ = 0;
    int lineNumber_ = 0;     // line of the last line read
    int nextLineNumber_ = 1; // line at pos_
    Line scratch_;
};

// --- Property functions and the class table ----------------------------------

using PanePropsProc = void (*)(APane* pane, CoreAttrList* list);

enum class PaneTextSubs {
    none,       // no sub-panes are written or read
    subs,       // "Subs" n, n class blocks, "EndSubs" n
    scrollPane, // one class block: the scroll pane's scrollable pane
};

struct PaneTextClass {
    std::string name;                    // as written in "Class" lines
    APane* (*make)();                    // an empty object of the class
    std::vector<PanePropsProc> addProps; // applied in order when writing
    std::vector<PanePropsProc> getProps; // applied in order when reading
    PaneTextSubs subs = PaneTextSubs::subs;
    // scrollPane rows: the inner pane to write, the class the inner block must
    // be an instance of, and how it is installed once read.
    APane* (*getInner)(APane* outer) = nullptr;
    std::string innerClass;
    void (*installInner)(APane* outer, APane* inner) = nullptr;
    // scrollPane rows may also write panes after the inner block ("Minis" n,
    // then n times a "MiniH" flag and a class block, "EndMinis" n): the panes
    // with their flags, and how one read back is installed.
    std::vector<std::pair<APane*, bool>> (*getMinis)(APane* outer) = nullptr;
    void (*installMini)(APane* outer, APane* mini, bool horizontal) = nullptr;
    // Called once the pane and its sub-panes are read (for example to turn
    // sub-panes into pages); may be null.
    void (*afterRead)(APane* pane) = nullptr;
};

// Adds a row, or replaces the row of the same name.
void PaneTextRegisterClass(const PaneTextClass& row);
// The row of a class name (case-insensitive); null when there is none.
const PaneTextClass* PaneTextFindClass(std::string_view name);

// --- Writing and reading whole trees ------------------------------------------

// Nesting deeper than this is refused when reading.
constexpr int kPaneTextMaxDepth = 64;

// The 'KsP3' text of the tree rooted at pane.
std::string WritePaneText(APane* pane);
// Writes the text as resource 'KsP3' (name, id) of resource file `file`,
// replacing a resource of the same ID (or, for a negative id, the same name).
void WritePane(APane* pane, const char* name, SInt16 id, SInt16 file);

// Builds the tree of a 'KsP3' text. Its panes draw in window; the root is
// added to enclosure (when not null) only once the whole tree has been read,
// so a failure leaves nothing behind. Raises XError for bad text.
APane* ReadPaneText(const char* text, long length, APane* enclosure, AWindow* window);
// The tree of resource 'KsP3' found by name (id < 0) or by ID; null when
// there is no such resource.
APane* ReadPane(APane* enclosure, AWindow* window, const char* name, SInt16 id);
