#include "SceneSupport.h"

#include "APane.h"
#include "AWindow.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"
#include "Windows.h"
#include "WindowsPrivate.h"

#include <pixman.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// A scene table larger than this is refused rather than read.
constexpr std::size_t kMaxScenePanes = 100000;
constexpr SInt32 kMaxSide = 4096;
constexpr SInt16 kSceneFont = 1; // the application font
constexpr SInt16 kSceneTextSize = 12;

bool ParseInt(const std::string& s, long lo, long hi, SInt32* out) {
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno || *end || v < lo || v > hi) return false;
    *out = SInt32(v);
    return true;
}

bool ParseRGB(const std::string& s, UInt32* out) {
    if (s.size() != 6) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(s.c_str(), &end, 16);
    if (*end) return false;
    *out = UInt32(v);
    return true;
}

KsRGBColor ToKs(UInt32 rgb) {
    auto c = [](UInt32 b) { return UInt16((b & 0xFF) * 0x101); };
    return KsRGBColor{c(rgb >> 16), c(rgb >> 8), c(rgb)};
}

// The boxes' 1-pixel black border: the stock frame style draws a darkened
// background colour instead.
void BlackFrame(KsRect* rect, SInt32, const KsRGBColor*, Boolean draw, SInt32) {
    if (draw && !rect->IsEmpty()) {
        const RGBColor black{0, 0, 0};
        RGBForeColor(&black);
        PenNormal();
        const Rect r = ToRect(*rect);
        FrameRect(&r);
    }
    rect->Inset(1, 1);
}

SInt16 Clamp16(SInt32 v) {
    return SInt16(v < -32767 ? -32767 : v > 32767 ? 32767 : v);
}

} // namespace

bool ReadSceneTable(const std::string& path, Scene* scene, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "cannot open " + path;
        return false;
    }
    Scene s;
    s.source = path;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            f.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        const auto bad = [&](const char* why) {
            *error = path + ":" + std::to_string(lineNo) + ": " + why;
            return false;
        };
        if (f.size() < 8 || f.size() > 9) return bad("expected 8 or 9 fields");
        if (s.panes.size() >= kMaxScenePanes) return bad("too many panes");
        ScenePaneEntry p;
        SInt32 index = 0, parent = 0;
        if (!ParseInt(f[0], 0, long(kMaxScenePanes), &index) ||
            std::size_t(index) != s.panes.size())
            return bad("index out of order");
        if (!ParseInt(f[1], -1, index - 1, &parent)) return bad("parent does not come before");
        p.parent = parent;
        if (!ParseInt(f[2], -kMaxSide, kMaxSide, &p.x) ||
            !ParseInt(f[3], -kMaxSide, kMaxSide, &p.y) || !ParseInt(f[4], 0, kMaxSide, &p.width) ||
            !ParseInt(f[5], 0, kMaxSide, &p.height))
            return bad("bad geometry");
        if (f[6] == "label")
            p.label = true;
        else if (f[6] != "box")
            return bad("unknown kind");
        if (!ParseRGB(f[7], &p.background)) return bad("bad colour");
        if (f.size() == 9) {
            if (f[8].size() > 255) return bad("text too long");
            p.text = f[8];
        }
        if (p.parent >= 0 && s.panes[std::size_t(p.parent)].label)
            return bad("a label cannot hold panes");
        s.panes.push_back(std::move(p));
    }
    if (s.panes.empty()) {
        *error = path + ": no panes";
        return false;
    }
    *scene = std::move(s);
    return true;
}

Scene GenerateScene() {
    static constexpr UInt32 kPalette[16] = {
        0xF4CCCC, 0xFCE5CD, 0xFFF2CC, 0xD9EAD3, 0xD0E0E3, 0xCFE2F3, 0xD9D2E9, 0xEAD1DC,
        0xE6B8AF, 0xF9CB9C, 0xFFE599, 0xB6D7A8, 0xA2C4C9, 0x9FC5E8, 0xB4A7D6, 0xD5A6BD};
    KsSplitMix rng{2000};
    Scene s;
    s.source = "generated";
    auto add = [&s](int parent, SInt32 x, SInt32 y, SInt32 w, SInt32 h, bool label, UInt32 bg,
                    std::string text) {
        s.panes.push_back({parent, x, y, w, h, label, bg, std::move(text)});
        return int(s.panes.size()) - 1;
    };
    auto color = [&rng] { return kPalette[rng.Next() % 16]; };
    int item = 0;
    auto text = [&rng, &item] {
        char buf[40];
        std::snprintf(buf, sizeof buf, "Item %03d: value %04d", item++, int(rng.Next() % 10000));
        return std::string(buf);
    };
    for (int panel = 0; panel < 50; ++panel) {
        const int p =
            add(-1, 2 + (panel % 10) * 192, 2 + (panel / 10) * 216, 188, 212, false, color(), "");
        add(p, 4, 2, 180, 16, true, 0, text());
        const bool nested = panel % 2 == 0;
        int holder = p;
        SInt32 w = 188, h = 212;
        int last[2] = {};
        for (int row = 0; row < 9; ++row) {
            SInt32 rw = 184, rh = 20, ry = 20 + 21 * row;
            if (nested) {
                rw = w - 4;
                rh = h - (row == 0 ? 22 : 21);
                ry = 20;
            }
            const int r = add(nested ? holder : p, 2, ry, rw, rh, false, color(), "");
            add(r, 2, 2, rw - 48 < 130 ? rw - 48 : 130, 16, true, 0, text());
            last[0] = add(r, rw - 44, 2, 20, 16, false, color(), "");
            last[1] = add(r, rw - 22, 2, 20, 16, false, color(), "");
            holder = r;
            w = rw;
            h = rh;
        }
        add(last[0], 4, 4, 12, 8, false, color(), "");
        add(last[1], 4, 4, 12, 8, false, color(), "");
    }
    return s;
}

Scene LoadScene() {
    const char* env = std::getenv("KS_BENCH_SCENE2000");
    const std::string path = env && *env ? env : kSceneDefaultPath;
    Scene s;
    std::string error;
    if (ReadSceneTable(path, &s, &error)) return s;
    std::fprintf(stderr, "scene table not used (%s); generating the scene\n", error.c_str());
    return GenerateScene();
}

SceneDesk::SceneDesk() {
    // Room for the 1920x1080 content area, the frame and the menu bar.
    previous_ = KsInstallBackend(KsNewHeadlessBackend(2048, 1280));
    InitWindows();
}

SceneDesk::~SceneDesk() {
    for (WindowPtr x = KsGetWindowList(); x;) {
        WindowPtr next = GetNextWindow(x);
        if (AWindow* w = GetWindowObj(x)) w->Dispose();
        x = next;
    }
    KsWindowsReset();
    KsDesktopDispose();
    KsInstallBackend(std::move(previous_));
}

SceneWindow OpenSceneWindow(const Scene& scene, std::string* error, SceneWindowMaker windowMaker,
                            ScenePaneMaker paneMaker) {
    SceneWindow sw;
    AWindow* w = nullptr;
    if (windowMaker) {
        w = windowMaker();
        w->IWindow("Scene", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    } else {
        w = AWindow::New("Scene", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    }
    w->SetContentSize(kSceneWidth, kSceneHeight);
    w->SetWindowTopLeft(kKsNoScreen, 0, 40);
    w->SelectAndShow();
    WindowPtr wp = w->GetWindowPtr();
    SetPortWindowPort(wp);
    const Rect pr = GetWindowPort(wp)->portRect;
    const KsRect port = ToKsRect(pr);
    const KsRect vis = RgnHandleToKsRgn(GetWindowPort(wp)->visRgn).Bounds();
    APane* main = w->GetMainPane();
    if (port.Width() != kSceneWidth || port.Height() != kSceneHeight || !(vis == port) || !main ||
        !(main->GetBounds() == port)) {
        char buf[200];
        std::snprintf(buf, sizeof buf, "window content %dx%d, visible %dx%d", int(port.Width()),
                      int(port.Height()), int(vis.Width()), int(vis.Height()));
        *error = buf;
        w->Dispose();
        return sw;
    }
    main->SetBkndColor(ToKs(kSceneWindowBackground));
    sw.window = w;
    sw.panes.reserve(scene.panes.size());
    for (const ScenePaneEntry& entry : scene.panes) {
        APane* parent = entry.parent < 0 ? main : sw.panes[std::size_t(entry.parent)];
        // Table coordinates are from the parent's corner, placements from its
        // interior.
        const SInt32 inset = parent->GetInterior().left - parent->GetBounds().left;
        const SInt32 insetV = parent->GetInterior().top - parent->GetBounds().top;
        APane* p = paneMaker ? paneMaker() : new APane;
        const KsRGBColor bg = entry.label ? parent->GetBkndColor() : ToKs(entry.background);
        p->IPane(parent, Clamp16(entry.x - inset), kPaneDontCare, Clamp16(entry.width),
                 Clamp16(entry.y - insetV), kPaneDontCare, Clamp16(entry.height), bg,
                 entry.label ? 0 : 1);
        if (entry.label) {
            p->SetDrawsBackground(false);
            p->SetFontSizeFace(kSceneFont, kSceneTextSize, 0);
            p->SetText(entry.text.c_str());
        } else {
            p->SetBorderProc(BlackFrame);
        }
        sw.panes.push_back(p);
    }
    InvalWindowRect(wp, &pr);
    w->SendMsg(wmUpdate, nullptr, 0, 0);
    return sw;
}

SceneHitReference::SceneHitReference(const Scene& scene) {
    nodes_.resize(scene.panes.size());
    std::vector<KsPoint> origin(scene.panes.size());
    for (std::size_t i = 0; i < scene.panes.size(); ++i) {
        const ScenePaneEntry& s = scene.panes[i];
        const KsPoint base = s.parent < 0 ? KsPoint{0, 0} : origin[std::size_t(s.parent)];
        origin[i] = {base.h + s.x, base.v + s.y};
        nodes_[i].bounds = {origin[i].h, origin[i].v, origin[i].h + s.width,
                            origin[i].v + s.height};
        (s.parent < 0 ? top_ : nodes_[std::size_t(s.parent)].children).push_back(int(i));
    }
}

int SceneHitReference::Find(KsPoint pt) const {
    auto inside = [pt](const KsRect& r) {
        return pt.h >= r.left && pt.h <= r.right && pt.v >= r.top && pt.v <= r.bottom;
    };
    int hit = -1;
    const std::vector<int>* level = &top_;
    for (;;) {
        int next = -1;
        for (auto it = level->rbegin(); it != level->rend(); ++it)
            if (inside(nodes_[std::size_t(*it)].bounds)) {
                next = *it;
                break;
            }
        if (next < 0) return hit;
        hit = next;
        level = &nodes_[std::size_t(hit)].children;
    }
}

UInt32 ScenePixel(AWindow* window, KsPoint pt) {
    GrafPtr port = GetWindowPort(window->GetWindowPtr());
    if (!port->surface || !port->surface->image) return 0xFFFFFFFF;
    const KsPoint d = KsLocalToDevice(port, pt);
    pixman_image_t* img = port->surface->image;
    if (d.h < 0 || d.v < 0 || d.h >= pixman_image_get_width(img) ||
        d.v >= pixman_image_get_height(img))
        return 0xFFFFFFFF;
    const auto* row = reinterpret_cast<const UInt8*>(pixman_image_get_data(img)) +
                      std::size_t(d.v) * std::size_t(pixman_image_get_stride(img));
    return reinterpret_cast<const UInt32*>(row)[d.h] & 0xFFFFFF;
}
