// APane: the base view class. Everything visible inside a window is a pane.
//
// Panes form a tree: a window owns its main pane, every pane owns its
// sub-panes (back to front: the first is drawn first and hit last), its three
// texts (label, body text, help text) and its pane-ID handle. A pane only
// points at its enclosure, its window, its host data and its procedures.
//
// Geometry: bounds (window-port coordinates, label strips included) ⊇ frame
// (bounds less the label strips) ⊇ interior (frame less the border).
// Rectangles are half-open as everywhere (KsGeometry.h), but hit tests on
// panes count all four edges as inside. xoffset/yoffset carry the part of a
// position that does not fit the 16-bit drawing space.
//
// Bodies by concern: APane.cpp (tree, identity, texts), APaneGeometry.cpp,
// APaneDraw.cpp, APaneEvents.cpp, APaneStream.cpp ('KsPn' and Put/Get).
// The virtual operations are declared in the order of their slots.
#pragma once

#include "APortable.h"
#include "Events.h"
#include "KsColor.h"
#include "KsGeometry.h"
#include "KsMacTypes.h"
#include "KsRgn.h"
#include "PaneDow.h"

#include <typeinfo>

class AWindow;
struct APaneSubTable;
struct APaneTableView;
struct APaneIdleCall;
struct APaneHitProbe;
struct MainPaneView;
class PortExposure;
class KsPointScan;
class CKsList;
class CoreAttrList;
class DragList;
class MacText;

// The don't-care coordinate of placements, moves and resizes.
constexpr SInt16 kPaneDontCare = -32768;

// iFlags bits.
enum : UInt32 {
    kPaneFixLeft = 0x1,
    kPaneFixRight = 0x2,
    kPaneFixTop = 0x4,
    kPaneFixBottom = 0x8,
    kPaneSizingMask = 0xF,
    kPaneSelected = 0x10,
    kPaneInheritsBkgd = 0x20,
    kPaneStdHandleOver = 0x40,
    kPaneRealID = 0x80,
    kPaneTracksInsideOnly = 0x100,
    kPaneScrollPart = 0x200,
    kPaneOKGadget = 0x400,
    kPaneAbortGadget = 0x800,
    kPaneClickDragsWindow = 0x1000,
    kPaneNoMiniHelp = 0x2000,
    kPaneOldStyleLook = 0x4000, // the window's old-style look, passed down by the window
};

// Label positions of AddLabel / SetLabelPosition.
enum : SInt16 { kLabelNone = -1, kLabelLeft = 0, kLabelAbove = 1, kLabelOverBorder = 2 };

// The cursor shown while the right mouse button is down over a window.
constexpr SInt16 kRightButtonCursorID = 6610;

class APane;
// Replaces the drawing of the body text (drawProc) or the background (bkgdProc).
using APaneDrawProc = void (*)(APane* pane, const KsRect* rect, void* data);
// Same type as the drawing utilities' BorderProcPtr: rect is the frame on
// entry and the interior on exit; colors is null when only measuring.
using APaneBorderProc = void (*)(KsRect* rect, SInt32 style, const KsRGBColor* colors, Boolean draw,
                                 SInt32 data);
using APaneDragMsgProc = bool (*)(APane* pane, DragList* list, KsPoint pt, SInt16 modifiers,
                                  SInt16 message);
// ForEachSubPane: answer false to skip the pane's sub-panes.
using APaneForEachProc = bool (*)(APane* pane, void* a, void* b);
using APaneDisposeProc = void (*)(APane* pane);
// Printing hooks; a non-zero answer of the start function skips printing.
using APanePrintStartProc = SInt32 (*)(const char* jobName, void* a, void* b, SInt16* headerHeight,
                                       SInt16* footerHeight);
using APanePrintPageProc = void (*)(SInt32 page, SInt32 pageCount);

// Declares a pane class's walk traits for that class alone.
#define KS_PANE_WALK_TRAITS(Class, traits)                                                         \
    UInt8 DeclaredWalkTraits() const override {                                                    \
        return typeid(*this) == typeid(Class) ? UInt8(traits) : UInt8(0);                          \
    }

class APane : public APortable, public PaneDow {
    KS_DECLARE_CLASS(APane, APortable)

    static constexpr OSType kClassID = 0x50414E45; // 'PANE'
    static constexpr SInt16 kVersion = 3;
    // 'KsPn' trees nested deeper than this are refused when read.
    static constexpr int kMaxReadDepth = 64;

    // Called first in every Dispose (the test-automation registry).
    static APaneDisposeProc iQAPdisposeCallback;

    static APane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                      SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    // A pane tree from the application's resources (property text, then
    // binary 'KsPn'). Raises "UIS_PANE_RSRC_NOT_FOUND".
    static APane* NewPaneFromRsrc(APane* encl, const char* name, SInt16 rsrcID);
    // Adds the class to the class registry.
    static void PCRegister();
    static long GetLivePaneCount();

    APane();
    APane(const APane&) = delete;
    APane& operator=(const APane&) = delete;

    virtual void IPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                       SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    // --- AObject / APortable slots -----------------------------------------
    void Dispose() override;
    AObject* Copy() override;
    ~APane() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    const char* GetExtensionDescription() const override { return NO_EXTENSIONS; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;

    // --- Slots APane introduces --------------------------------------------
    virtual void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data);
    virtual bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data);
    virtual void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data);
    virtual SInt32 GetNumSubPanes() const;
    virtual KsRect GetBounds() const { return bounds; }
    virtual SInt16 GetHeight() const;
    virtual SInt16 GetWidth() const;
    // Hit testing and idle time keep the answer in the enclosure's table of
    // sub-panes: an override must depend only on the geometry fields (bounds,
    // label strips), whose writers mark that table stale.
    virtual KsRect GetFrame() const;
    virtual void SetFrame(const KsRect& r);
    virtual void Inval();
    virtual void InvalInterior();
    virtual void PaneInvalRect(const KsRect& r);
    virtual void PaneInvalRgn(const KsRgn& rgn);
    virtual void InteriorChanged(const KsRect& newInterior);
    virtual KsRect GetInterior() const;
    virtual void* GetDataHandle() const;
    virtual void SetVisible(bool on);
    virtual bool IsVisible() const;
    virtual void WasRevealed();
    virtual void WasHidden();
    virtual void WindowToPaneRect(KsRect* r) const;
    virtual void PaneToWindowRect(KsRect* r) const;
    virtual void WindowToPanePt(KsPoint* pt) const;
    virtual void PaneToWindowPt(KsPoint* pt) const;
    virtual bool PtInPane(KsPoint pt) const;
    virtual bool MovePaneTo(SInt32 h, SInt32 v);
    virtual bool MovePane(SInt32 dh, SInt32 dv);
    virtual bool Resize(SInt16 width, SInt16 height);
    virtual KsRect GetVisBounds() const;
    virtual KsRect GetVisInterior() const;
    virtual KsRect GetVisRect(const KsRect& r) const;
    // h is 0; v is -1 (above) when the interior starts left of 20, else 1.
    virtual KsPoint GetMiniHelpAlignment(KsPoint pt) const;
    virtual bool HasMiniHelpText();
    virtual void GetMiniHelpText(char* buf, SInt32 len);
    virtual void Draw(const KsRect* clip, void* data);
    virtual void DrawCompatible(const KsRect* clip, const KsRgn* rgn, void* data);
    virtual void DrawBackground(const KsRect& rect, void* data);
    virtual void DrawInterior(const KsRect* clip, void* data);
    virtual void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data);
    virtual void DrawBorder();
    virtual KsRGBColor GetLabelColor() const;
    virtual void DrawLabel();
    virtual void DrawSelectIndicator(const KsRect* clip, const KsRGBColor& color);
    virtual bool DoMenuSelect(SInt32 menu, SInt32 item, void* data);
    virtual void UpdateMenus(void* data, EventRecord* event);
    virtual void Activate();
    virtual void Deactivate();
    virtual void SetBounds(const KsRect& r);
    virtual void SetAlwaysDawdle(bool on);
    virtual void SetUpdatesMenus(bool on);
    virtual void SetHandlesMenus(bool on);
    virtual void ResetHierValues(bool propagate);
    virtual void SetBkndColor(const KsRGBColor& color);
    // Outputs may be null.
    virtual void GetBkgdInfo(SInt16* id, OSType* type, Handle* handle, KsRGBColor* color) const;
    virtual KsRGBColor GetBkndColor() const;
    virtual void UpdateColorScheme();
    virtual void SetDrawProc(APaneDrawProc proc);
    virtual void SetBorderProc(APaneBorderProc proc);
    virtual void SetBorderStyle(SInt32 style);
    virtual void SetBkgdProc(APaneDrawProc proc);
    virtual void SetInheritsBkgd(bool on, SInt16 intensity);
    virtual void SetStdHandleOver(bool on);
    virtual bool SetTracksInsideOnly(bool on);
    virtual bool GetTracksInsideOnly() const;
    virtual bool SetFlag(UInt32 mask, bool on);
    virtual bool GetFlag(UInt32 mask) const;
    virtual void SetDragMsgProc(APaneDragMsgProc proc);
    virtual void SetDefaultsCursor(bool on);
    virtual void SetDrawsBackground(bool on);
    virtual bool CanBeTabbedTo() const;
    virtual void TabFrom();
    virtual void TabTo();
    virtual void SetEnclosure(APane* newEncl);
    virtual void SetEnclWindow(AWindow* window);
    virtual void AddSubPane(APane* pane);
    virtual void RemoveSubPane(APane* pane);
    virtual void AddLabel(const char* text, SInt16 position);
    virtual bool SetLabelText(const char* text);
    virtual MacText* GetLabel() const;
    virtual void SetLabelPosition(SInt16 position);
    virtual SInt16 GetLabelPos() const;
    virtual void Place(SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei);
    virtual void PlaceAndAdjust(SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                                SInt16 hei);
    virtual void SetSizingAttrs(UInt32 attrs);
    virtual UInt32 GetSizingAttrs() const;
    // 32-bit deltas: a large move must reach sub-panes whole.
    virtual void AdjustSubpanePositions(SInt32 dx, SInt32 dy, SInt32 dw, SInt32 dh);
    virtual void SetDisplayOnly(bool on);
    virtual void SetSelected(bool on);
    virtual bool GetSelected() const;
    virtual void SetPaneID(const char* id);
    virtual void SetBkgdRsrc(SInt16 id, OSType type);
    virtual void SetHelpRsrc(SInt16 rsrcID, OSType rsrcType);
    virtual void SetHelpText(const char* text);
    virtual void SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face);
    virtual void SetFontSizeFaceRecursive(SInt16 font, SInt16 size, SInt16 face);
    virtual void SetJust(SInt16 just);
    virtual void SetInlay(bool on);
    virtual void GetFontSizeFace(SInt16* font, SInt16* size, SInt16* face) const;
    virtual SInt16 GetJust(SInt16* out) const;
    virtual void SetText(const char* text);
    // Answers -1, as callers expect of text getters that do not count.
    virtual SInt32 GetText(char* buf, SInt32 len) const;
    virtual void CenterPane(APane* other, bool horizontal, bool vertical);
    virtual void JuxtaposePaneLeft(APane* other, SInt16 gap);
    virtual void JuxtaposePaneRight(APane* other, SInt16 gap);
    virtual void JuxtaposePaneTop(APane* other, SInt16 gap);
    virtual void JuxtaposePaneBottom(APane* other, SInt16 gap);
    virtual void AlignPaneLeft(APane* other, SInt16 gap);
    virtual void AlignPaneRight(APane* other, SInt16 gap);
    virtual void AlignPaneTop(APane* other, SInt16 gap);
    virtual void AlignPaneBottom(APane* other, SInt16 gap);
    virtual void SetToTextWidth(SInt16 extra);
    virtual void BringToFront();
    virtual void SendToBack();
    // Enclosures call an override only for a class constructed with
    // HitTest::kOwn (below); others are searched by the enclosure's scan.
    virtual APane* FindPane(KsPoint pt, bool wantEnclosure, bool selectionAware);
    virtual void ForEachSubPane(APaneForEachProc fn, void* a, void* b);
    virtual void DeleteSubPanes();
    virtual bool AnalyzeSubPanes(SInt32* count, APane** lastSelected, void* unused);
    virtual void Incorporate(APane* other);
    // Drag and drop: the defaults refuse; the drag machinery overrides them.
    virtual bool DoDrag(KsPoint* pt, DragList* list, bool canLeavePane);
    virtual bool HandleDragMsg(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message);
    virtual bool DoDragFeedback(DragList* list, KsPoint pt, SInt16 modifiers, SInt16 message);
    virtual bool AcceptDrop(DragList* list);
    virtual void DropHandler(DragList* list, KsPoint pt, SInt16 modifiers);
    virtual void HandleDropFromSystem(DragList* list, KsPoint pt, SInt16 modifiers);
    virtual DragList* GetMyDragList(KsPoint pt);
    virtual void ResetDragCursor();
    virtual void DrawAcceptDrag();
    virtual void HideAcceptDrag();
    virtual void DrawDragGhost(KsPoint pt);
    virtual void HideDragGhost();
    virtual bool HasExitedStartPane() const;
    // The drag shared by all panes while one runs (APaneDrag.cpp). BeginDrag
    // does not take the list; EndDrag restores any pane still lightened.
    static void BeginDrag(DragList* list);
    static void EndDrag();
    static bool DoingDrag();
    static DragList* GetDragList();
    // Sends a drag message for a global point to the pane that welcomes the
    // drag there, with enter and leave as the target changes; for a drop,
    // answers whether any item was handled.
    static bool SendDragMsg(KsPoint globalPt, SInt16 modifiers, SInt16 message);
    virtual void PrintPane(const char* jobName, APanePrintStartProc startFn,
                           APanePrintPageProc pageStartFn, APanePrintPageProc pageEndFn);
    virtual SInt32 PrintPrepareTo(const KsRect& page, void** state);
    virtual void PrintPageBody(SInt32 page, SInt32 pageCount, const KsRect& pageRect, void* state);
    virtual void PrintComplete(void* state);
    virtual void ManageMotifFrame(bool on, bool redraw);
    virtual bool DoCaptureClick(EventRecord* event, SInt16 part);

protected:
    // How the enclosure's hit test treats the pane. A class that overrides
    // FindPane constructs its APane with kOwn: the enclosure then calls its
    // FindPane, wherever the point is, instead of descending into it.
    enum class HitTest : UInt8 { kStandard, kOwn };
    explicit APane(HitTest kind);

    // What the walks of idle time and hit testing may take for granted of a
    // pane, declared by a class for itself alone (KS_PANE_WALK_TRAITS): a
    // subclass declares again, or is taken to promise nothing.
    enum : UInt8 {
        // Its Dawdle adds, removes, disposes, moves, shows and hides no pane
        // and leaves the port's regions alone: the walk calls it without
        // holding it or keeping its place around the call.
        kWalkIdleKeepsTree = 0x1,
        // It does not override GetInterior: the walks read the cached answer.
        kWalkStandardInterior = 0x2,
    };
    virtual UInt8 DeclaredWalkTraits() const;
    // For a class whose declaration depends on its settings (an idle
    // procedure installed): call after changing them.
    void WalkTraitsChanged() { NoteSubPanesChanged(); }

    virtual const char* PeekPaneID();
    virtual void ConstructPaneID();
    virtual void FindTEpanes(APane** current, APane** next, APane** first, bool backwards);

private:
    virtual void HiliteAcceptDrag(bool on);

public:
    virtual void WriteResources(SInt16 a, SInt16 b);
    virtual bool GetDesignMode() const;
    virtual void SetDesignMode(bool on);

    // --- PaneDow -----------------------------------------------------------
    PaneDow* GetEnclosure() const override;
    bool HandleContextPopup(MenuInfo** menu, EventRecord event, long nick, short menuID) override;

    // --- Identity (not virtual) --------------------------------------------
    // Copies at most len - 1 characters; answers whether the ID was set
    // explicitly (false for a generated one).
    bool GetPaneID(char* buf, SInt32 len);
    // The ID GetPaneID would answer, for readers that must not change the
    // pane (dumps): the stored ID, else the one derived from the texts, else
    // the numbered form with "?" for the number, which only GetPaneID takes
    // ("?" never occurs in a pane ID). Stores nothing. Copies at most
    // len - 1 characters.
    void PreviewPaneID(char* buf, SInt32 len) const;
    // The ID stored in the pane (set, read or generated before); null when
    // it has none yet. Generates nothing.
    const char* GetStoredPaneID() const { return iPaneID && *iPaneID ? *iPaneID : nullptr; }
    APane* FindPaneByID(const char* id);
    // The main pane's Dawdle, and FindPane(pt, false, false) as it answers
    // after it, found on the walk's own way down where nothing the walk calls
    // can change what the search reads: then true with *hit set. Otherwise
    // only the Dawdle, and false.
    bool DawdleFindingPane(KsPoint pt, SInt16 modifiers, SInt32* sleep, void* data, APane** hit);
    // "outer:inner:..." from any level below this pane.
    APane* FindByCompoundID(const char* cid);
    void DumpPaneID(bool outward);

    // Pane property text keys; their bodies live with the property text.
    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

    // --- Accessors ----------------------------------------------------------
    APane* GetEnclPane() const { return itsEnclPane; }
    AWindow* GetEnclWindow() const { return itsEnclWindow; }
    // Change the list only through AddSubPane, RemoveSubPane, BringToFront
    // and SendToBack: they keep the scans' table of it current.
    CKsList* GetSubPanes() const { return subPanes; }
    // 1-based, list order; null out of range.
    APane* GetSubPane(SInt32 index) const;
    SInt32 GetBorderStyle() const { return border; }
    bool GetOwnVisible() const { return visible; }
    bool IsActive() const { return active; }
    void SetActive(bool on) { active = on; }
    bool GetDisplayOnly() const { return displayOnly; }
    void SetCanBeTabbedTo(bool on) { canBeTabbedTo = on; }
    bool GetAlwaysDawdle() const { return alwaysDawdle; }
    bool GetHandlesMenus() const { return handlesMenus; }
    bool GetUpdatesMenus() const { return updatesMenus; }
    bool GetDrawsBackground() const { return drawsBackground; }
    bool GetDefaultsCursor() const { return defaultsCursor; }
    bool GetClickInLabel() const { return clickInLabel; }
    void SetClickInLabel(bool on) { clickInLabel = on; }
    void SetDataHandle(void* h) { dataHandle = h; }
    UInt32 GetFlags() const { return iFlags; }
    SInt32 GetRefNum() const { return refNum; }
    void SetRefNum(SInt32 n) { refNum = n; }
    SInt16 GetLabelDX() const { return labeldx; }
    SInt16 GetLabelDY() const { return labeldy; }
    SInt32 GetXOffset() const { return xoffset; }
    SInt32 GetYOffset() const { return yoffset; }
    SInt16 GetInheritIntensity() const { return inheritIntensity; }
    MacText* GetBodyText() const { return bodyText; }
    MacText* GetHelpText() const { return helpText; }
    APaneDrawProc GetDrawProc() const { return drawProc; }
    APaneDrawProc GetBkgdProc() const { return bkgdProc; }
    APaneBorderProc GetBorderProc() const { return borderProc; }
    APaneDragMsgProc GetDragMsgProc() const { return dragMsgProc; }
    SInt16 GetBkgdRsrcID() const { return iBkgdRsrcID; }
    OSType GetBkgdRsrcType() const { return iBkgdRsrcType; }
    // The live logical position: bounds.left + xoffset, bounds.top + yoffset.
    KsPoint GetLogicalTopLeft() const;

protected:
    // Rect and sizing attributes of a six-coordinate placement; outRect may
    // be null. Raises XError for an invalid triple or a pane with nowhere to
    // be placed.
    static UInt32 SixCoordsToRect(const APane* pane, KsRect* outRect, SInt16 left, SInt16 right,
                                  SInt16 wid, SInt16 top, SInt16 bot, SInt16 hei);
    void _SetPaneID(const char* id);
    bool PointInVisibleRegion(KsPoint pt, void* port) const;
    // Hit testing and idle routing: visibility without re-walking the
    // enclosures for every candidate.
    bool EnclosuresVisible() const;
    KsRect VisibleInteriorArea() const;
    bool VisibleWithin(const KsRect& enclosureArea) const;
    // The interior of a frame under this pane's border.
    KsRect FrameToInterior(const KsRect& frame) const;
    // The enclosure's interior, or the window's port rectangle.
    bool GetPlacementBase(KsRect* base) const;
    // Recomputes alwaysDawdle, handlesMenus and updatesMenus from the
    // pane's own settings and its direct sub-panes.
    void RecomputeHierValues();

    // The stored bounds, for subclasses (GetBounds may be overridden).
    const KsRect& StoredBounds() const { return bounds; }
    // For a subclass whose GetFrame also depends on fields of its own: call
    // after changing them, so that the enclosure's scans measure it again.
    void FrameRuleChanged() { NoteScanFieldsChanged(); }

    // Fields, in their declared order: streams and dumps rely on it. The ones
    // that hit testing and idle time keep in their enclosure's table (bounds,
    // label strips, alwaysDawdle, the sub-pane list) are private: subclasses
    // change them through the setters, which mark the table stale.
private:
    KsRect bounds{};

protected:
    bool active = false;
    bool visible = true;
    MacText* label = nullptr; // owned
    KsRGBColor bkgdColor{};
    APane* itsEnclPane = nullptr;     // not owned
    AWindow* itsEnclWindow = nullptr; // not owned
private:
    CKsList* subPanes = nullptr; // owned, with its panes
    // What the walks read of a pane they reach, kept together next to the
    // list and the fields they read with it (visible, the window, border,
    // borderProc), and packed: the descent and the idle walk read them at
    // every level.
    //
    // The sub-panes packed for the scans of hit testing and idle time: list
    // order, each with its bounds, frame and alwaysDawdle (APaneEvents.cpp);
    // visibility and the window are read from the few panes the scans pick.
    // Built on first use, rebuilt when stale. Every writer of what it holds
    // calls NoteScanFieldsChanged (on the sub-pane) or NoteSubPanesChanged
    // (on the enclosure); debug builds check the table against the panes on
    // every use.
    APaneSubTable* iSubTable = nullptr; // owned
    // GetInterior's last answer and what it was measured from: the frame,
    // the border style and the border proc (a border proc measures from its
    // arguments alone). Checked on every use rather than cleared by the
    // writers, so no writer of bounds, label strips, border or border proc,
    // a subclass's included, can leave it stale.
    mutable APaneBorderProc iInteriorProc = nullptr;
    SInt32 iSubTableCount = 0; // the list's count the table was built from
    mutable SInt32 iInteriorBorder = 0;
    mutable KsRect iInteriorFrame{};
    mutable KsRect iInterior{};
    bool iSubTableStale = true;
    const bool iOwnHitTest = false; // constructed with HitTest::kOwn
    mutable bool iInteriorKnown = false;

protected:
    bool drawsBackground = true;
    MacText* bodyText = nullptr; // owned
    bool displayOnly = false;
    SInt32 border = 1;
    void* dataHandle = nullptr; // not owned
    // The background's picture or pattern: a 'PICT' belongs to the resource
    // chain (only pointed at), a 'ppat' is made for this pane and owned.
    Handle bkgdHandle = nullptr;
    OSType iBkgdRsrcType = 0;
    bool canBeTabbedTo = false;
    UInt32 iFlags = 0x85;

private:
    bool alwaysDawdle = false;

protected:
    bool clickInLabel = false;

private:
    // Hierarchy values: written only by RecomputeHierValues, from the
    // settings below and the sub-panes' values.
    bool handlesMenus = false;
    bool updatesMenus = false;

protected:
    SInt32 refNum = 0;
    bool defaultsCursor = true;
    APaneBorderProc borderProc = nullptr;

private:
    SInt16 labeldx = 0;
    SInt16 labeldy = 0;

protected:
    KsRgn drawRgn;
    APaneDrawProc drawProc = nullptr;
    APaneDrawProc bkgdProc = nullptr;
    SInt16 iBkgdRsrcID = 0;
    Handle iPaneID = nullptr; // owned, NUL-terminated
    SInt32 xoffset = 0;
    SInt32 yoffset = 0;
    SInt16 inheritIntensity = 0;
    MacText* helpText = nullptr; // owned
    APaneDragMsgProc dragMsgProc = nullptr;

private:
    // The pane's own settings of the hierarchy values (SetAlwaysDawdle,
    // SetHandlesMenus, SetUpdatesMenus); the fields above hold these OR'ed
    // with the sub-panes' values.
    bool ownAlwaysDawdle = false;
    bool ownHandlesMenus = false;
    bool ownUpdatesMenus = false;

    friend struct APaneReader;
    friend struct APaneSubTable; // records the walks' calls
    friend class StPaneHold;
    SInt16 holdCount = 0;  // walks in progress through this pane
    bool disposed = false; // taken out of its tree; storage goes with the last hold
    static long liveCount;
    static long nextPaneNumber;
    // bkgdHandle is a pattern this pane made (and frees).
    bool ownsBkgdHandle = false;
    void ReleaseBkgdHandle();

    void NoteScanFieldsChanged() {
        if (itsEnclPane) itsEnclPane->iSubTableStale = true;
    }
    // The tables of the enclosures above hold what the whole subtree
    // declares (kWalkIdleKeepsTree): they are measured again too.
    void NoteSubPanesChanged() {
        for (APane* p = this; p; p = p->itsEnclPane)
            p->iSubTableStale = true;
    }
    // GetInterior's answer for a frame (APane's own rule, cached).
    const KsRect& InteriorOfFrame(const KsRect& frame) const;
    void MeasureInteriorOfFrame(const KsRect& frame) const;
    // The geometry writers: the field, then the enclosure's table.
    void StoreBounds(const KsRect& r) {
        bounds = r;
        NoteScanFieldsChanged();
    }
    void StoreLabelStrips(SInt16 dx, SInt16 dy) {
        labeldx = dx;
        labeldy = dy;
        NoteScanFieldsChanged();
    }
    // The table, rebuilt first when stale or when the list's count changed.
    APaneSubTable* CurrentSubTable();
    APaneSubTable* RefreshSubTable();
    bool SubtreeKeepsTree();
    // What a main pane's only enclosure, its window, leaves of it, for the
    // hit test and the idle walk's search; traits are DeclaredWalkTraits'.
    MainPaneView ViewInWindow(UInt8 traits) const;
    // Room in the table for the list's count, made when a sub-pane is added
    // so that the walks that rebuild it never allocate.
    void ReserveSubTable();
    static void FreeSubTable(APaneSubTable* table);

    // The walks of idle time and tab order. The idle walk hands the sub-pane
    // it calls a record of what it worked out (APaneIdleCall) when the
    // sub-pane's subtree keeps the tree, and null otherwise: the callee then
    // holds itself and works it out. Dawdle takes the record left for it
    // (TakeIdleCall) and passes it on.
    const APaneIdleCall* TakeIdleCall();
    // FindPane's search riding on an idle walk: one level of it, made before
    // the walk calls any sub-pane, given the entries of t that hold the point
    // as bits; answers the index of the entry the search goes on into, or 0,
    // and sets *interior to its interior when it has sub-panes.
    SInt32 AdvanceHitProbe(APaneHitProbe& probe, const APaneSubTable& t, UInt64 hits, KsPoint pt,
                           KsRect* interior);
    // The main pane sets the cursor when its walk is done.
    void SetIdleCursor(SInt16 modifiers, SInt16 cursorID);
    // FindPane's descent below hit, and one level of it (APaneEvents.cpp).
    static APane* DescendHit(APane* hit, KsRect area, const PortExposure& shown, KsPoint pt,
                             bool selectionAware);
    static SInt32 HitChoice(const APaneTableView& t, SInt32 n, const APane* encl,
                            const KsRect* area, const PortExposure& shown, bool quick,
                            const KsPointScan& scan, KsPoint pt);
    static SInt32 ChoiceAmong(const APaneTableView& t, UInt64 hits, const APane* encl,
                              const KsRect* area, const PortExposure& shown, bool quick,
                              KsPoint pt);
    static SInt32 ChoiceAt(const APaneTableView& t, SInt32 k, const APane* encl, const KsRect* area,
                           const PortExposure& shown, bool quick, KsPoint pt);
    // Whether FindPane sees entry k of encl's table t (0-based) where area is
    // what encl and its enclosures leave visible (null: worked out here).
    static bool HitSeen(const APaneTableView& t, SInt32 k, const APane* encl, const KsRect* area,
                        const PortExposure& shown);
    // The tab walk's record of its call: enclArea is the area this pane's
    // enclosures leave visible when the enclosure's walk vouches for it, or
    // null: the walk works it out.
    bool TakeTabCall(KsRect* enclArea);
    void TabWalk(APane** current, APane** next, APane** first, bool backwards,
                 const KsRect* enclArea);
};
