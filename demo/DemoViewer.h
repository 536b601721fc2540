// The demo's viewer strip: a viewer area with a position bar under it (in and
// out marks at the clip's ends, a timecode that follows the position), a
// grading panel with a three-point colour wheel, and the long clip menu under
// View that scrolls and opens submenus.
#pragma once

class AWindow;
struct MenuInfo;
using MenuHandle = MenuInfo**;

// Opens a viewer window for a clip of `frames` frames and answers it.
AWindow* OpenViewerWindow(const char* title, long frames);
// Appends "Viewer Strip" and the 200-clip list with its submenus to the View
// menu.
void BuildViewerMenus(MenuHandle view);
// Enables the items BuildViewerMenus added.
void UpdateViewerMenus();
// Answers whether nick was one of those items (and did it): a clip opens a
// viewer of its own duration.
bool HandleViewerMenus(long nick);
