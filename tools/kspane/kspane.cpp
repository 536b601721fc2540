// kspane: checks, canonicalises, converts and dumps pane trees.
//
//   kspane check FILE          the first error with its line number, status 1
//   kspane canon FILE          the canonical 'KsP3' text on standard output
//   kspane convert IN OUT      'KsP3' text <-> 'KsPn' binary, by OUT's extension
//   kspane dump FILE           the tree as the pane dump prints it
//
// FILE is 'KsP3' text, a 'KsPn' binary document (.kspn), or a resource file
// when --id N or --name NAME chooses a 'KsP3' (else 'KsPn') resource.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "KsHandle.h"
#include "KsPaneDump.h"
#include "PaneStream.h"
#include "Resources.h"
#include "XError.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: kspane check|canon|dump FILE [--id N | --name NAME]\n"
                         "       kspane convert IN OUT [--id N | --name NAME]\n");
    return 2;
}

bool EndsWith(const std::string& s, const char* suffix) {
    std::size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

bool ReadWhole(const std::string& path, std::string* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *out = s.str();
    return true;
}

struct Source {
    std::string bytes;
    bool binary = false; // 'KsPn'
};

// The pane bytes FILE names: the file itself or one of its resources.
bool Load(const std::string& path, bool fromRsrc, int id, const std::string& name, Source* src) {
    if (!fromRsrc) {
        if (!ReadWhole(path, &src->bytes)) return false;
        src->binary = EndsWith(path, ".kspn");
        return true;
    }
    SInt16 file = KsOpenResFile(path.c_str(), fsRdPerm);
    if (file == -1) return false;
    Str255 pname;
    std::size_t n = std::min<std::size_t>(name.size(), 255);
    pname[0] = UInt8(n);
    std::memcpy(pname + 1, name.data(), n);
    for (const char* type : {"KsP3", "KsPn"}) {
        ResType t = OSType(UInt8(type[0])) << 24 | OSType(UInt8(type[1])) << 16 |
                    OSType(UInt8(type[2])) << 8 | OSType(UInt8(type[3]));
        Handle h = name.empty() ? Get1Resource(t, SInt16(id)) : Get1NamedResource(t, pname);
        if (h) {
            src->bytes.assign(*h, std::size_t(KsGetHandleSize(h)));
            src->binary = std::strcmp(type, "KsPn") == 0;
            ReleaseResource(h);
            CloseResFile(file);
            return true;
        }
    }
    CloseResFile(file);
    std::fprintf(stderr, "kspane: %s has no such 'KsP3' or 'KsPn' resource\n", path.c_str());
    return false;
}

APane* Build(const Source& src) {
    if (!src.binary)
        return ReadPaneText(src.bytes.data(), long(src.bytes.size()), nullptr, nullptr);
    Handle h = KsNewHandleFrom(src.bytes.data(), Size(src.bytes.size()));
    if (!h) xraisexerror("MEM_LOW");
    APortable* obj = nullptr;
    try {
        AMemStream stream(h);
        AObjDoc doc(stream);
        doc.Read();
        obj = doc.TakeObject();
    } catch (...) {
        KsDisposeHandle(h);
        throw;
    }
    KsDisposeHandle(h);
    if (!obj) return nullptr;
    if (!obj->IsInstanceOf("APane")) {
        obj->Dispose();
        xraisexerror("UIS_PANE_RSRC_NOT_FOUND");
    }
    return static_cast<APane*>(obj);
}

__attribute__((format(printf, 1, 2))) void Print(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::vfprintf(stdout, format, ap);
    va_end(ap);
}

std::string ErrorText(const XError& e) {
    const XErrorParam* line = e.FindParam("line");
    std::string text = e.GetText();
    if (line) return "line " + line->value + ": " + text;
    return text;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    bool fromRsrc = false;
    int id = 0;
    std::string name;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--id" && i + 1 < argc) {
            fromRsrc = true;
            id = std::atoi(argv[++i]);
        } else if (a == "--name" && i + 1 < argc) {
            fromRsrc = true;
            name = argv[++i];
        } else {
            args.push_back(a);
        }
    }
    if (args.size() < 2) return Usage();
    const std::string& cmd = args[0];
    if ((cmd == "convert") != (args.size() == 3) || args.size() > 3) return Usage();
    if (cmd != "check" && cmd != "canon" && cmd != "convert" && cmd != "dump") return Usage();

    APane::PCRegister();
    Source src;
    if (!Load(args[1], fromRsrc, id, name, &src)) {
        if (!fromRsrc) std::fprintf(stderr, "kspane: cannot read %s\n", args[1].c_str());
        return 2;
    }
    APane* root = nullptr;
    try {
        root = Build(src);
        if (!root) {
            std::fprintf(stderr, "%s: holds no pane\n", args[1].c_str());
            return 1;
        }
        if (cmd == "canon") {
            std::string text = WritePaneText(root);
            std::fwrite(text.data(), 1, text.size(), stdout);
        } else if (cmd == "dump") {
            DumpPane(root, kDumpPaneSubPanes | kDumpPaneIDs | kDumpPaneRects | kDumpPaneLabels,
                     Print, 0);
        } else if (cmd == "convert") {
            std::string out;
            if (EndsWith(args[2], ".kspn")) {
                AMemStream stream;
                AObjDoc doc(stream);
                doc.Write(root);
                Handle h = stream.GetDataHandle();
                out.assign(*h, std::size_t(KsGetHandleSize(h)));
            } else if (EndsWith(args[2], ".ksp3")) {
                out = WritePaneText(root);
            } else {
                std::fprintf(stderr, "kspane: %s: the output must end in .ksp3 or .kspn\n",
                             args[2].c_str());
                root->Dispose();
                return 2;
            }
            std::ofstream f(args[2], std::ios::binary);
            f.write(out.data(), std::streamsize(out.size()));
            if (!f) {
                std::fprintf(stderr, "kspane: cannot write %s\n", args[2].c_str());
                root->Dispose();
                return 2;
            }
        }
        root->Dispose();
    } catch (const XError& e) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(), ErrorText(e).c_str());
        return 1;
    }
    return 0;
}
