// AutoRequestDlg: layout from the text and the labels, the message pane, and
// the run loop of a message box.
#include "AutoRequestDlg.h"

#include "AApplication.h"
#include "ADialogButtonGad.h"
#include "AScreenManOS.h"
#include "AScrollPane.h"
#include "AScrollablePane.h"
#include "Cursors.h"
#include "Events.h"
#include "KsDesktop.h"
#include "KsDrawUtils.h"
#include "KsModalAppState.h"
#include "KsPortSavers.h"
#include "KsSimpleDlg.h"
#include "KsTime.h"
#include "Stx.h"
#include "XError.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kTextLeft = 62;
constexpr SInt16 kTextTop = 15;
// Room the dialog takes around its text: margins, divider and buttons.
constexpr SInt16 kChromeHeight = 80;
// Kept between the dialog and the screen's edges when a long text is cut.
constexpr SInt16 kScreenMargin = 48;
constexpr long kNullEventTicks = 3; // about 50 ms

// The lines of a message, drawn in the landscape of a scrollable pane so that
// a text cut to the screen scrolls. Draws the faces of its lines when styled.
class KsARMessagePane : public AScrollablePane {
public:
    const KsARText* text = nullptr;
    SInt16 lineHeight = 1;
    SInt16 ascent = 0;
    bool styled = false;

    void DrawDetail(const KsRect& rect, const KsRGBColor&, void*) override {
        if (!text) return;
        const KsRect in = GetInterior();
        StTextStateSaver textState;
        TextFont(AutoRequestDlg::kFont);
        TextSize(AutoRequestDlg::kSize);
        const SInt32 first = std::max<SInt32>(0, (rect.top - in.top + ypos) / lineHeight);
        for (size_t i = size_t(first); i < text->lines.size(); ++i) {
            const SInt32 top = in.top + SInt32(i) * lineHeight - ypos;
            if (top >= rect.bottom) break;
            const KsARLine& line = text->lines[i];
            MoveTo(SInt16(in.left - xpos), SInt16(top + ascent));
            // One run per face change; a plain message is one run per line.
            size_t start = 0;
            while (start < line.text.size()) {
                size_t end = start + 1;
                const char face = styled ? line.faces[start] : 0;
                while (end < line.text.size() && (!styled || line.faces[end] == face))
                    ++end;
                TextFace(Style(face));
                DrawText(line.text.data(), SInt16(start), SInt16(end - start));
                start = end;
            }
        }
    }
};

SInt16 LabelWidth(const std::string& label) {
    return SInt16(TextWidth(label.data(), 0, SInt16(label.size())));
}
SInt16 ButtonWidth(const std::string& label) {
    return std::max<SInt16>(SInt16(LabelWidth(label) + 32), AutoRequestDlg::kMinButtonWidth);
}
bool SameLabel(const std::string& label, const char* translated) {
    return strcasecmp(label.c_str(), translated) == 0;
}
} // namespace

ARNullEventProc AutoRequestDlg::nullEventProc = nullptr;
void* AutoRequestDlg::nullEventUserData = nullptr;

void AutoRequestDlg::InstallNullEventHandler(ARNullEventProc proc, void* data) {
    nullEventProc = proc;
    nullEventUserData = data;
}

AutoRequestDlg* AutoRequestDlg::New(bool modal, const char* title, bool styledText) {
    auto* d = new AutoRequestDlg;
    d->styled = styledText;
    d->IDialogWindow(title, modal, 552, 236, false);
    d->DialogDesignInit();
    return d;
}

AutoRequestDlg::AutoRequestDlg() = default;

SInt16 AutoRequestDlg::IconRsrcID(UIicon_t value) {
    switch (value) {
    case 0:
        return 1;
    case 1:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    default:
        return value;
    }
}

void AutoRequestDlg::DialogDesignInit() {
    SetContentSize(542, 219);
    AGadget* iconPane = AddGadget("Icon_Pane", nullptr, 9, S, 32, 13, S, 32);
    iconPane->SetInheritsBkgd(true, 0);
    iconPane->SetDisplayOnly(true);
    auto* msg = new KsARMessagePane;
    msg->IScrollablePane(mainPane, 52, S, 479, 13, S, 148, schemeColor, kBorderNone);
    msg->SetInheritsBkgd(true, 0);
    Built(msg, "Message_Pane");
    messagePane = msg;
    messageHolder = msg;
    AddStdButDivider();
    AddEdgePanes(4, nullptr);
}

void AutoRequestDlg::IAutoRequestDlg(const char* text, const char* buttons, short defButton,
                                     UIicon_t iconValue, bool updatesFlag) {
    SetDefaultGad(nullptr, false);
    defaultButton = defButton;
    icon = iconValue;
    flag = updatesFlag;
    buttonCount = 0;
    cancelButton = okButton = 0;
    buttonsWidth = 0;
    widest = 0;

    StPortSaver port{GrafPtr(windowPort)};
    StTextStateSaver textState;
    TextFont(kFont);
    TextSize(kSize);
    TextFace(0);
    FontInfo fi{};
    GetFontInfo(&fi);
    lineHeight = SInt16(fi.ascent + fi.descent + 2 * fi.leading);

    parsed = KsARParseText(text);
    for (const KsARLine& line : parsed.lines)
        widest = std::max<SInt16>(widest,
                                  SInt16(TextWidth(line.text.data(), 0, SInt16(line.text.size()))));
    const SInt16 lineCount = SInt16(parsed.lines.size());

    labels = KsARParseButtons(buttons);
    buttonCount = short(labels.size());
    const char* cancelText = stx("Cancel//Button label");
    const char* okText = stx("OK//Button label");
    SInt32 total = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].hidden) continue;
        if (!cancelButton && SameLabel(labels[i].label, cancelText)) cancelButton = short(i + 1);
        if (!okButton && SameLabel(labels[i].label, okText)) okButton = short(i + 1);
        total += ButtonWidth(labels[i].label) + kButtonGap;
    }
    if (total > 0) total -= kButtonGap;
    buttonsWidth = SInt16(total);

    const SInt32 contentW = std::max<SInt32>(widest + 87, total + 30);
    const SInt32 textHeight = SInt32(lineHeight) * lineCount;
    const SInt32 maxHeight = MaxContentHeight();
    textScrolls = textHeight + kChromeHeight > maxHeight;
    const SInt32 contentH = textScrolls ? maxHeight : textHeight + kChromeHeight;
    SetContentSize(contentW, contentH);
    PlaceMessage(SInt16(contentW), SInt16(contentH - kChromeHeight), textScrolls);
    auto* msg = static_cast<KsARMessagePane*>(messagePane);
    msg->text = &parsed;
    msg->lineHeight = std::max<SInt16>(1, lineHeight);
    msg->ascent = fi.ascent;
    msg->styled = styled;
    msg->SetYmax(textHeight);
    msg->SetYincr(lineHeight);
    msg->SetXmax(widest + 10);

    SInt32 x = (contentW - total) / 2;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].hidden) continue;
        char id[32];
        std::snprintf(id, sizeof id, "ARbut%d_But", int(i + 1));
        const SInt16 w = ButtonWidth(labels[i].label);
        ADialogButtonGad* b = AddButton(id, labels[i].label.c_str(), SInt16(x), S, w, S, -13, 21);
        b->SetValueRefCon(SInt32(i + 1));
        if (short(i + 1) == defaultButton) SetDefaultGad(id, false);
        x += w + kButtonGap;
    }
    char id[32];
    if (cancelButton) {
        std::snprintf(id, sizeof id, "ARbut%d_But", int(cancelButton));
        SetIsAbortGad(id);
    }
    if (okButton) {
        std::snprintf(id, sizeof id, "ARbut%d_But", int(okButton));
        SetIsOKGad(id);
    }

    if (APane* iconPane = FindPaneByID("Icon_Pane")) {
        iconPane->Place(15, S, 32, SInt16(lineCount > 1 ? 15 : 11), S, 32);
        static_cast<AGadget*>(iconPane)->SetRsrc(FourCharCode("ICON"), IconRsrcID(icon));
    }
}

SInt16 AutoRequestDlg::MaxContentHeight() const {
    KsRect screen = AScreenManOS::New()->GetScreenBounds(homeScreen);
    if (screen.IsEmpty()) screen = AScreenManOS::New()->GetMainScreenBounds();
    const SInt32 h = screen.Height() - kKsMenuBarHeight - kScreenMargin;
    return SInt16(std::max<SInt32>(h, kChromeHeight + 2 * lineHeight));
}

// The text pane at its place; when the text is cut it moves into a scroll
// pane with a vertical bar.
void AutoRequestDlg::PlaceMessage(SInt16, SInt16 textHeight, bool scrolls) {
    const SInt16 width = SInt16(widest + 10);
    if (!scrolls) {
        messagePane->Place(kTextLeft, S, width, kTextTop, S, textHeight);
        return;
    }
    const SInt16 bar = AScrollPane::kBarWidth;
    auto* sp =
        AScrollPane::New(mainPane, kTextLeft, S, SInt16(width + bar), kTextTop, S, textHeight,
                         schemeColor, kBorderNone, false, true, false, RGBgray11);
    sp->SetPaneID("Message_Scroll");
    mainPane->RemoveSubPane(messagePane);
    messagePane->Place(0, 0, S, 0, 0, S);
    sp->InstallPane(messagePane);
    messageHolder = sp;
}

void AutoRequestDlg::DoGoodClick(APane* pane) {
    // Every button of a message box ends it, whatever its role.
    if (pane && pane->IsInstanceOf("ADialogButtonGad")) exitItem = pane;
}

bool AutoRequestDlg::Close(void* data, EventRecord* ev, long a, long b) {
    const bool cancelled = DialogWindow::Close(data, ev, a, b);
    closed = true;
    exitItem = nullptr;
    return cancelled;
}

short AutoRequestDlg::Answer() const {
    if (closed || !exitItem || !exitItem->IsInstanceOf("AGadget")) return kClosedAnswer;
    return short(static_cast<AGadget*>(exitItem)->GetValueRefCon());
}

bool AutoRequestDlg::Run(DialogTestProc, long) {
    SetIsModal(true);
    SelectAndShow();
    SetArrowCursor();
    exitItem = nullptr;
    closed = false;
    if (defaultGad) defaultGad->TabTo();
    {
        StKsModalMenus menus(kEditMenuID);
        FlushEvents(everyEvent & ~EventMask(0x1000), 0);
        // The null-event handler runs every few ticks, however long the
        // application's own loop may sleep.
        const UInt32 sleep = UInt32(std::clamp<long>(gl_sleepTime, 2, kNullEventTicks));
        long lastNull = KsGetTicks();
        while (!exitItem && !closed && KsIsLiveWindow(this) && IsVisible()) {
            const XError e = KsTryStandard([&] {
                EventRecord ev{};
                const bool got = WaitNextEvent(EventMask(kRunMask), &ev, sleep, nullptr);
                KsSDlogServeThreadRequests();
                if (!got || ev.what == nullEvent) {
                    if (nullEventProc) nullEventProc(this, &ev, nullEventUserData);
                    lastNull = KsGetTicks();
                } else if (ev.what == updateEvt && !flag && KsEventWindow(ev) == windowPort) {
                    UpdateIfNeeded();
                } else if (ev.what == updateEvt && !flag && SDLGetUpdateEvtProc()) {
                    // Windows under the box redraw; an update left pending
                    // would come back at once and the wait would spin.
                    SDLGetUpdateEvtProc()(&ev);
                } else if (gApplication) {
                    gApplication->HandleEvent(&ev);
                }
                if (!flag && nullEventProc && KsGetTicks() - lastNull > kNullEventTicks) {
                    nullEventProc(this, &ev, nullEventUserData);
                    lastNull = KsGetTicks();
                }
            });
            if (e.IsError() && gApplication) gApplication->DisplayException(e.GetCode(), false);
        }
    }
    if (!KsIsLiveWindow(this)) return false;
    SetArrowCursor();
    SetVisible(false);
    return exitItem && (exitItem->GetFlags() & kPaneOKGadget);
}
