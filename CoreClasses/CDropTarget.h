// The record of a window that takes drops from other applications
// (RegisterForDrop). The records form a list, so that drops are switched on
// and off for all windows at once (EnableDrops) and a drop is taken only over
// a window that has one. Records are made through a replaceable factory;
// making one before a factory is installed fails the assertion
// "CDropTarget::mFactory != 0".
#pragma once

#include "KsMacTypes.h"

class AWindow;

class CDropTarget {
public:
    using Factory = CDropTarget* (*)(AWindow* window);
    // Answers the previous factory; null removes it.
    static Factory SetFactory(Factory factory);
    // A record for the window, linked into the list; null without a factory.
    static CDropTarget* New(AWindow* window);
    // The plain record the default factory makes.
    static CDropTarget* NewPlain(AWindow* window);

    // The record of a live window, or null; records of windows that are gone
    // are dropped on the way.
    static CDropTarget* Find(const AWindow* window);
    // Drops every record.
    static void DisposeAll();

    virtual ~CDropTarget();
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    AWindow* GetWindow() const { return window; }

protected:
    explicit CDropTarget(AWindow* window);

private:
    static Factory mFactory;
    static CDropTarget* mFirst;

    bool Live() const;

    AWindow* window;
    UInt32 number; // the window's registry number: its address may be reused
    CDropTarget* next = nullptr;
};
