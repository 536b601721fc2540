// PaneDow: what panes and windows share for help and context pop-ups.
//
// Every APane and every AWindow is also a PaneDow. Help is attached as a
// context number or a topic name; a right click builds a context menu level
// by level up the enclosure chain (GetEnclosure), and the chosen item goes
// back to the level that added it (HandleContextPopup).
#pragma once

#include "Events.h"
#include "Menus.h"

class PaneDow {
public:
    using BuildProc = SInt16 (*)(MenuInfo** menu, EventRecord event);
    using HandleProc = bool (*)(MenuInfo** menu, EventRecord event, long nick, short menuID);

    PaneDow() = default;
    PaneDow(const PaneDow& other);
    PaneDow& operator=(const PaneDow& other);
    virtual ~PaneDow();

    virtual bool DoContextPopup(EventRecord event);
    virtual void SetWinHelpTopic(const char* topic);
    virtual void SetWinHelpNum(long number);
    virtual const char* GetWinHelpTopic() const;
    virtual long GetWinHelpNum() const;
    virtual bool GetHasHelp(bool topicOnly) const;
    // The next level of the help and context chain; null here.
    virtual PaneDow* GetEnclosure() const;
    virtual void SetWinHelpWindowStyle();
    virtual void SetWinHelpPopupStyle();
    virtual void SetBuildContextPopupProc(BuildProc proc);
    virtual BuildProc GetBuildContextPopupProc() const;
    virtual void SetHandleContextPopupProc(HandleProc proc);
    virtual HandleProc GetHandleContextPopupProc() const;
    virtual bool HandleContextPopup(MenuInfo** menu, EventRecord event, long nick,
                                    short menuID) = 0;
    virtual SInt16 BuildContextPopup(MenuInfo** menu, EventRecord event);

    // Shows the help of this object or its nearest enclosure that has some.
    bool DoHelp(bool topicOnly);
    // The same for an object that may be missing: no object has no help.
    static bool DoHelpOf(PaneDow* object, bool topicOnly);
    short GetWinHelpStyle() const { return helpStyle; }

    static void SetMenuDefProcID(short id);
    static short GetMenuDefProcID();

protected:
    // This object or the first enclosure whose GetHasHelp(topicOnly) holds.
    PaneDow* FindPaneWithHelp(bool topicOnly);
    // A chain deeper than any real pane tree means a cycle.
    static constexpr int kMaxChain = 10000;

private:
    bool RunContextPopup(EventRecord event);
    // A separator and "&What's This?" when this object or an enclosure has help.
    bool AppendStdNicks(MenuHandle menu);
    bool HandleStdNicks(MenuHandle menu, EventRecord event, long nick, short menuID);

private:
    BuildProc buildProc = nullptr;
    HandleProc handleProc = nullptr;
    long helpNumber = 0;
    char* helpTopic = nullptr; // owned
    short helpStyle = 2;       // 1 window, 2 pop-up
};
