// Whole pane trees as 'KsP3' text.
//
//   class table   rows by class name; APane's row is always there
//   writing       WriteClassBlock, WritePaneText, WritePane (resource)
//   reading       ReadClassBlock, ReadPaneText, ReadPane (resource)
//
// Reading builds the tree detached from the caller's enclosure and attaches
// the root only once everything has been read: on any failure the panes read
// so far are disposed and nothing is left in the caller's tree.
#include "APane.h"
#include "APaneTextPrivate.h"
#include "CKsList.h"
#include "CoreAttrList.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "KsText.h"
#include "PaneStream.h"
#include "Resources.h"
#include "XError.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr ResType kPaneTextType = FourCharCode("KsP3");

const EMMessage kMessages[] = {
    {"UIS_PANE_TEXT_TOO_DEEP", "The pane tree is nested more than {limit} deep to be written.",
     nullptr},
    {"UIS_PANE_TEXT_WRITE", "The pane text could not be stored (error {OSErr}).", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

void APaneAddProps(APane* pane, CoreAttrList* list) {
    pane->AddPropsToList(list);
}
void APaneGetProps(APane* pane, CoreAttrList* list) {
    pane->GetPropsFromList(list);
}
APane* MakeAPane() {
    return new APane;
}

bool SameNameCI(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x + 32);
        if (y >= 'A' && y <= 'Z') y = char(y + 32);
        if (x != y) return false;
    }
    return true;
}

std::vector<PaneTextClass>& Table() {
    static std::vector<PaneTextClass> table = [] {
        std::vector<PaneTextClass> t;
        PaneTextClass pane;
        pane.name = "APane";
        pane.make = MakeAPane;
        pane.addProps = {APaneAddProps};
        pane.getProps = {APaneGetProps};
        pane.subs = PaneTextSubs::subs;
        t.push_back(pane);
        return t;
    }();
    return table;
}

const PaneTextClass& RowFor(std::string_view name) {
    const PaneTextClass* row = PaneTextFindClass(name);
    return row ? *row : Table().front();
}

// Disposes a detached pane unless released: a failed read leaves nothing.
class StDetachedPane {
public:
    explicit StDetachedPane(APane* pane) : pane_(pane) {}
    ~StDetachedPane() {
        if (pane_) pane_->Dispose();
    }
    StDetachedPane(const StDetachedPane&) = delete;
    StDetachedPane& operator=(const StDetachedPane&) = delete;
    APane* Release() {
        APane* p = pane_;
        pane_ = nullptr;
        return p;
    }

private:
    APane* pane_;
};

// --- Writing -------------------------------------------------------------------

// One attribute list serves every pane of a document: it is filled and
// written out before the pane's sub-panes are, and cleared for the next.
void WriteClassBlock(APane* pane, PaneStream& s, CoreAttrList& list, int depth) {
    if (depth > kPaneTextMaxDepth)
        xraisexerror("UIS_PANE_TEXT_TOO_DEEP", "int limit", kPaneTextMaxDepth);
    const char* cls = pane->ClassName();
    const PaneTextClass& row = RowFor(cls);
    list.Clear();
    s.PutCString("Class", cls);
    s.Indent(1);
    for (PanePropsProc add : row.addProps)
        add(pane, &list);
    for (const CoreAttr& e : list) {
        const std::string_view label = e.Name().substr(0, PaneStream::kMaxLabel);
        if (e.IsInteger()) {
            // Unsigned 32-bit values travel as their signed pattern.
            s.WriteLong(label, SInt32(UInt32(e.Integer())));
        } else if (e.Type() == KsAttrType::text) {
            // Text entries hold no NUL: their bytes are the string.
            if (e.DataSize() > 0)
                s.WriteString(label, std::string_view(static_cast<const char*>(e.Data()),
                                                      std::size_t(e.DataSize())));
        } else {
            s.WriteBytes(label, e.Data(), std::size_t(e.DataSize()));
        }
    }
    s.PutCString("EndProps", "");
    if (row.subs == PaneTextSubs::subs) {
        SInt32 n = pane->GetNumSubPanes();
        s.PutLong("Subs", n);
        if (n > 0) {
            s.Indent(1);
            for (SInt32 i = 1; i <= n; ++i)
                WriteClassBlock(pane->GetSubPane(i), s, list, depth + 1);
            s.Indent(-1);
            s.PutLong("EndSubs", n);
        }
    } else if (row.subs == PaneTextSubs::scrollPane && row.getInner) {
        if (APane* inner = row.getInner(pane)) WriteClassBlock(inner, s, list, depth + 1);
        const auto minis = row.getMinis ? row.getMinis(pane) : decltype(row.getMinis(pane)){};
        if (!minis.empty()) {
            const SInt32 n = SInt32(minis.size());
            s.PutLong("Minis", n);
            s.Indent(1);
            for (const auto& [mini, horizontal] : minis) {
                s.PutLong("MiniH", horizontal);
                WriteClassBlock(mini, s, list, depth + 1);
            }
            s.Indent(-1);
            s.PutLong("EndMinis", n);
        }
    }
    s.Indent(-1);
    s.PutCString("EndClass", cls);
}

// --- Reading -------------------------------------------------------------------

// One attribute list serves every pane read: a pane's properties are applied
// before its sub-panes are read.
APane* ReadClassBlock(PaneStream& s, APane* parent, AWindow* window, CoreAttrList& list, int depth);

// Reads the scroll pane's inner block and installs it.
void ReadInnerPane(PaneStream& s, APane* outer, const PaneTextClass& row, AWindow* window,
                   CoreAttrList& list, int depth) {
    if (!s.NextLineIs("Class", 's')) s.Fail("No scrollablePane");
    APane* inner = ReadClassBlock(s, nullptr, window, list, depth + 1);
    StDetachedPane hold(inner);
    if (!row.innerClass.empty() && !inner->IsInstanceOf(row.innerClass.c_str()))
        s.Fail(std::string("the inner pane of ") + row.name + " is " + inner->ClassName() +
               ", not " + row.innerClass);
    if (row.installInner) {
        row.installInner(outer, hold.Release());
    }
}

// Reads the panes a scroll pane keeps beside its bars and installs each.
void ReadMiniPanes(PaneStream& s, APane* outer, const PaneTextClass& row, AWindow* window,
                   CoreAttrList& list, int depth) {
    const SInt32 n = s.GetLong("Minis");
    const int line = s.GetLineNumber();
    if (n < 0) s.Fail("a negative number of mini panes", line);
    for (SInt32 i = 0; i < n; ++i) {
        const bool horizontal = s.GetLong("MiniH") != 0;
        StDetachedPane hold(ReadClassBlock(s, nullptr, window, list, depth + 1));
        if (row.installMini) row.installMini(outer, hold.Release(), horizontal);
    }
    const SInt32 end = s.GetLong("EndMinis");
    if (end != n)
        s.Fail("EndMinis " + std::to_string(end) + " does not match Minis " + std::to_string(n) +
               " of line " + std::to_string(line));
}

APane* ReadClassBlock(PaneStream& s, APane* parent, AWindow* window, CoreAttrList& list,
                      int depth) {
    if (depth > kPaneTextMaxDepth)
        s.Fail("panes are nested more than " + std::to_string(kPaneTextMaxDepth) + " deep");
    char cls[256];
    s.GetCString("Class", cls, sizeof cls);
    const int classLine = s.GetLineNumber();

    list.Clear();
    PaneStream::Line line;
    for (;;) {
        if (!s.ReadLine(&line))
            s.Fail(std::string("the text ends inside the properties of ") + cls +
                       " (no EndProps line)",
                   classLine);
        if (SameNameCI(line.label, "EndProps")) break;
        if (line.type == 'l')
            list.SetSInt32(line.label, line.integer);
        else if (line.type == 's')
            list.SetText(line.label, line.value.c_str());
        else
            list.SetData(line.label, line.value.data(), Size(line.value.size()));
    }

    const PaneTextClass& row = RowFor(cls);
    APane* pane = row.make();
    FtlAssert(pane != nullptr);
    // A sub-pane belongs to its parent at once, so the parent's disposal
    // reaches it; the root stays detached until the whole tree is read.
    StDetachedPane hold(parent ? nullptr : pane);
    if (parent) {
        parent->AddSubPane(pane);
    } else {
        APaneReader::SetWindow(pane, window);
    }
    for (PanePropsProc get : row.getProps)
        get(pane, &list);

    if (row.subs == PaneTextSubs::subs) {
        SInt32 n = s.GetLong("Subs");
        const int subsLine = s.GetLineNumber();
        if (n < 0) s.Fail("a negative number of sub-panes", subsLine);
        for (SInt32 i = 0; i < n; ++i)
            ReadClassBlock(s, pane, window, list, depth + 1);
        if (n > 0) {
            SInt32 end = s.GetLong("EndSubs");
            if (end != n)
                s.Fail("EndSubs " + std::to_string(end) + " does not match Subs " +
                       std::to_string(n) + " of line " + std::to_string(subsLine));
            pane->ResetHierValues(false);
        }
    } else if (row.subs == PaneTextSubs::scrollPane) {
        ReadInnerPane(s, pane, row, window, list, depth);
        if (s.NextLineIs("Minis", 'l')) ReadMiniPanes(s, pane, row, window, list, depth);
    }
    s.GetCString("EndClass", nullptr, 0);
    if (row.afterRead) row.afterRead(pane);
    hold.Release();
    return pane;
}

} // namespace

// --- Class table -------------------------------------------------------------------

void PaneTextRegisterClass(const PaneTextClass& row) {
    FtlAssert(!row.name.empty() && row.make != nullptr);
    std::vector<PaneTextClass>& t = Table();
    for (PaneTextClass& r : t) {
        if (SameNameCI(r.name, row.name)) {
            r = row;
            return;
        }
    }
    t.push_back(row);
}

const PaneTextClass* PaneTextFindClass(std::string_view name) {
    for (const PaneTextClass& r : Table())
        if (SameNameCI(r.name, name)) return &r;
    return nullptr;
}

// --- Whole documents -------------------------------------------------------------

namespace {
// Room asked for before writing: pages not written are never touched, so a
// generous guess costs address space only; a text that outgrows it goes on
// in further pieces.
constexpr std::size_t kGuessPerPane = 1024;
constexpr std::size_t kGuessLimit = std::size_t(64) << 20;

// Panes down to the depth the writer accepts, at most about `limit`.
std::size_t CountPanes(const APane* p, std::size_t limit, int depth) {
    std::size_t n = 1;
    if (depth >= kPaneTextMaxDepth) return n;
    for (SInt32 i = 1; i <= p->GetNumSubPanes() && n < limit; ++i)
        n += CountPanes(p->GetSubPane(i), limit - n, depth + 1);
    return n;
}
} // namespace

std::string WritePaneText(APane* pane) {
    FtlAssert(pane != nullptr);
    PaneStream s;
    s.Reserve(CountPanes(pane, kGuessLimit / kGuessPerPane, 1) * kGuessPerPane);
    s.PutLong("version", 1);
    CoreAttrList list;
    WriteClassBlock(pane, s, list, 1);
    return s.TakeText();
}

APane* ReadPaneText(const char* text, long length, APane* enclosure, AWindow* window) {
    PaneStream s(text, length);
    if (s.GetLong("version") != 1) s.Fail("Pane is unknown version");
    CoreAttrList list;
    APane* root = ReadClassBlock(s, nullptr, window, list, 1);
    StDetachedPane hold(root);
    if (!s.AtEnd()) {
        PaneStream::Line line;
        s.ReadLine(&line);
        s.Fail("text follows the end of the root pane");
    }
    hold.Release();
    if (enclosure) {
        enclosure->AddSubPane(root);
        enclosure->ResetHierValues(true);
    }
    return root;
}

namespace {

// Name as a Pascal string, cut to 255 bytes.
void ToPString(const char* name, Str255 out) {
    std::size_t n = name ? std::min<std::size_t>(std::strlen(name), 255) : 0;
    out[0] = UInt8(n);
    if (n) std::memcpy(out + 1, name, n);
}

class StUseResFile {
public:
    explicit StUseResFile(SInt16 file) : saved_(CurResFile()) { UseResFile(file); }
    ~StUseResFile() { UseResFile(saved_); }
    StUseResFile(const StUseResFile&) = delete;
    StUseResFile& operator=(const StUseResFile&) = delete;

private:
    SInt16 saved_;
};

} // namespace

void WritePane(APane* pane, const char* name, SInt16 id, SInt16 file) {
    std::string text = WritePaneText(pane);
    Str255 pname;
    ToPString(name, pname);
    StUseResFile use(file);
    Handle existing =
        id >= 0 ? Get1Resource(kPaneTextType, id) : Get1NamedResource(kPaneTextType, pname);
    if (existing) {
        if (!KsSetHandleSize(existing, Size(text.size())))
            xraisexerror("UIS_PANE_TEXT_WRITE", "short OSErr", KsGetMemError());
        std::memcpy(*existing, text.data(), text.size());
        SInt16 oldID = 0;
        ResType oldType = 0;
        Str255 oldName;
        GetResInfo(existing, &oldID, &oldType, oldName);
        SetResInfo(existing, oldID, pname);
        ChangedResource(existing);
    } else {
        Handle h = KsNewHandleFrom(text.data(), Size(text.size()));
        if (!h) xraisexerror("UIS_PANE_TEXT_WRITE", "short OSErr", KsGetMemError());
        AddResource(h, kPaneTextType, id >= 0 ? id : Unique1ID(kPaneTextType), pname);
        if (OSErr err = ResError()) {
            KsDisposeHandle(h);
            xraisexerror("UIS_PANE_TEXT_WRITE", "short OSErr", err);
        }
    }
    if (OSErr err = ResError()) xraisexerror("UIS_PANE_TEXT_WRITE", "short OSErr", err);
    UpdateResFile(file);
    if (OSErr err = ResError()) xraisexerror("UIS_PANE_TEXT_WRITE", "short OSErr", err);
}

APane* ReadPane(APane* enclosure, AWindow* window, const char* name, SInt16 id) {
    Handle h = nullptr;
    if (id < 0) {
        Str255 pname;
        ToPString(name, pname);
        h = GetNamedResource(kPaneTextType, pname);
    } else {
        h = GetResource(kPaneTextType, id);
    }
    if (!h) return nullptr;
    // A copy: reading may load other resources while the text is in use.
    std::string text(*h, std::size_t(KsGetHandleSize(h)));
    ReleaseResource(h);
    return ReadPaneText(text.data(), long(text.size()), enclosure, window);
}
