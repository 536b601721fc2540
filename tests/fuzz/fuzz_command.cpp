// Command lines are typed by users and sent by scripts: tokenize and dispatch
// arbitrary bytes against a few representative definitions.
#include "KsCommand.h"
#include "KsOutput.h"
#include "XError.h"

#include <cstdint>
#include <string_view>

namespace {
void ReadAll(const KsCommandArgs& args) {
    args.GetStr("strParam1");
    args.GetStr("strParam2");
}

void ReadTyped(const KsCommandArgs& args) {
    args.GetInt("count");
    args.GetFloat("gain");
    args.GetBool("on");
    args.GetInt("level");
}

void Define() {
    static bool done = false;
    if (done) return;
    done = true;
    KsSetStderrOutput(false);
    AddCommandDef("Console", "str strParam1, str strParam2", ReadAll, "help");
    AddCommandDef("mix", "int count, double gain, bool on, short level", ReadTyped, "");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Define();
    std::string_view line(reinterpret_cast<const char*>(data), size);
    try {
        KsTokenizeCommand(line);
    } catch (const XError&) {
    }
    try {
        KsDoCommand(line);
    } catch (const XError&) {
    }
    return 0;
}
