#include "AFileLocator.h"
#include "AHwOsInfo.h"
#include "KsAppInfo.h"
#include "KsFolders.h"
#include "KsRaisedError.h"
#include "KsScopedEnv.h"
#include "KsScratchDir.h"
#include "KsThreads.h"
#include "XError.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {
unsigned ModeOf(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? unsigned(info.st_mode & 07777) : ~0u;
}
} // namespace

TEST(EnvFolders, FollowXdgVariablesAndCreatePrivateFolders) {
    ScratchDir scratch;
    ScopedEnv env;
    const std::string app = KSGetApplName();
    const struct {
        const char* variable;
        KsFolderKind kind;
    } kinds[] = {{"XDG_CONFIG_HOME", KsFolderKind::config},
                 {"XDG_STATE_HOME", KsFolderKind::state},
                 {"XDG_DATA_HOME", KsFolderKind::data},
                 {"XDG_CACHE_HOME", KsFolderKind::cache},
                 {"XDG_RUNTIME_DIR", KsFolderKind::runtime}};
    for (const auto& k : kinds) {
        std::string base = scratch.str() + "/" + k.variable + "/deeper/";
        env.Set(k.variable, base);
        std::string folder = KsUserFolder(k.kind);
        EXPECT_EQ(folder, scratch.str() + "/" + k.variable + "/deeper/" + app) << k.variable;
        EXPECT_EQ(ModeOf(folder), 0700u) << k.variable;
        // A second call finds the folder and leaves a mode the user chose.
        chmod(folder.c_str(), 0750);
        EXPECT_EQ(KsUserFolder(k.kind), folder);
        EXPECT_EQ(ModeOf(folder), 0750u);
    }
}

TEST(EnvFolders, WithoutXdgVariablesUseHomeDefaults) {
    ScratchDir scratch;
    ScopedEnv env;
    const std::string app = KSGetApplName();
    env.Set("HOME", scratch.str());
    env.Unset("XDG_CONFIG_HOME");
    env.Unset("XDG_DATA_HOME");
    env.Unset("XDG_CACHE_HOME");
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("XDG_STATE_HOME", "relative/state"); // invalid under the rules: ignored
    EXPECT_EQ(KsUserFolder(KsFolderKind::config), scratch.str() + "/.config/" + app);
    EXPECT_EQ(KsUserFolder(KsFolderKind::state), scratch.str() + "/.local/state/" + app);
    EXPECT_EQ(KsUserFolder(KsFolderKind::data), scratch.str() + "/.local/share/" + app);
    EXPECT_EQ(KsUserFolder(KsFolderKind::cache), scratch.str() + "/.cache/" + app);
    EXPECT_EQ(KsUserFolder(KsFolderKind::runtime), scratch.str() + "/.cache/" + app + "/runtime");
    EXPECT_EQ(ModeOf(scratch.str() + "/.local/state/" + app), 0700u);
    EXPECT_EQ(KsUserBaseFolder(KsFolderKind::runtime), "");
}

TEST(EnvFolders, UnusableFolderRaises) {
    ScratchDir scratch;
    ScopedEnv env;
    // A plain file where the base folder should be.
    std::string blocker = scratch.str() + "/file";
    FILE* f = std::fopen(blocker.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    env.Set("XDG_CACHE_HOME", blocker);
    const XError error = ErrorOf([] { KsUserFolder(KsFolderKind::cache); });
    EXPECT_STREQ(error.GetCode(), "FILE_FOLDER_FAILED");
    ASSERT_NE(error.FindParam("errno"), nullptr);
    EXPECT_EQ(error.FindParam("errno")->intValue, ENOTDIR);
}

TEST(EnvAppInfo, NameVersionAndMainThread) {
    EXPECT_STREQ(KSGetApplName(), "ks_core_tests");
    char small[4];
    EXPECT_EQ(KSGetApplName(small, sizeof small), 3);
    EXPECT_STREQ(small, "ks_");
    EXPECT_EQ(KSGetApplName(nullptr, 10), 0);

    EXPECT_FALSE(KsSetApplName("a/b"));
    EXPECT_FALSE(KsSetApplName(".."));
    EXPECT_FALSE(KsSetApplName(std::string(128, 'x').c_str()));
    EXPECT_STREQ(KSGetApplName(), "ks_core_tests");
    const char* before = KSGetApplName();
    ASSERT_TRUE(KsSetApplName("Renamed Tool"));
    EXPECT_STREQ(KSGetApplName(), "Renamed Tool");
    EXPECT_STREQ(before, "ks_core_tests"); // handed-out names stay valid
    EXPECT_EQ(GetVersionInfo().rfind("Renamed Tool version ", 0), 0u);
    ASSERT_TRUE(KsSetApplName(nullptr));
    EXPECT_STREQ(KSGetApplName(), "ks_core_tests");

    KsSetApplVersion("3.2.1");
    std::string version = GetVersionInfo();
    EXPECT_EQ(version.rfind("ks_core_tests version 3.2.1 (built 2", 0), 0u) << version;
    EXPECT_EQ(version.back(), ')');
    KsSetApplVersion(nullptr);

    EXPECT_TRUE(KsIsMainThread());
    bool workerIsMain = true;
    std::thread([&] { workerIsMain = KsIsMainThread(); }).join();
    EXPECT_FALSE(workerIsMain);
    std::thread([] { KsSetMainThread(); }).join();
    EXPECT_FALSE(KsIsMainThread());
    KsSetMainThread();
    EXPECT_TRUE(KsIsMainThread());
}

TEST(EnvHwOsInfo, AnswersForLinux) {
    AHwOsInfo::MakeHwOsInfo();
    EXPECT_FALSE(AHwOsInfo::HasAppleEvents());
    EXPECT_FALSE(AHwOsInfo::HasTSMTE());
    AHwOsInfo::hasNoTSMTE();
    EXPECT_FALSE(AHwOsInfo::HasTSMTE());
    EXPECT_EQ(AHwOsInfo::GetOSName(), "Linux");
    EXPECT_FALSE(AHwOsInfo::GetOSRelease().empty());
    EXPECT_GE(AHwOsInfo::GetProcessorCount(), 1);
    EXPECT_GT(AHwOsInfo::GetPhysicalMemory(), 0);
    EXPECT_EQ(AHwOsInfo::GetPageSize(), sysconf(_SC_PAGESIZE));
}

TEST(EnvLocators, PathsNamesAndBadNames) {
    ADirLocator dir("/a//b/./c/");
    EXPECT_EQ(dir.GetPath(), "/a/b/c");
    EXPECT_EQ(dir.GetName(), "c");
    EXPECT_EQ(dir.Parent().GetPath(), "/a/b");
    EXPECT_EQ(ADirLocator("/a").Parent().GetPath(), "/");
    EXPECT_EQ(ADirLocator("/").Parent().GetPath(), "/");
    EXPECT_EQ(ADirLocator("/").Child("x").GetPath(), "/x");
    EXPECT_FALSE(ADirLocator().IsValid());

    AFileLocator file = dir.File("doc.txt");
    EXPECT_EQ(file.GetPath(), "/a/b/c/doc.txt");
    EXPECT_EQ(AFileLocator::FromPath("/etc/hostname").GetDir().GetPath(), "/etc");
    EXPECT_EQ(AFileLocator::FromPath("/top").GetPath(), "/top");
    EXPECT_EQ(AFileLocator::FromPath("/etc/hostname"), ADirLocator("/etc").File("hostname"));
    EXPECT_FALSE(AFileLocator().IsValid());
    EXPECT_EQ(AFileLocator().GetPath(), "");

    for (std::string bad : {std::string(""), std::string("."), std::string(".."),
                            std::string("a/b"), std::string("a\0b", 3), std::string(256, 'n')}) {
        EXPECT_EQ(ErrorCode([&] { AFileLocator f(dir, bad); }), "FILE_BAD_NAME") << bad;
        EXPECT_EQ(ErrorCode([&] { dir.Child(bad); }), "FILE_BAD_NAME") << bad;
    }
    EXPECT_EQ(ErrorCode([&] { file.SetName("ok name"); }), "");
    EXPECT_EQ(file.GetName(), "ok name");
    EXPECT_EQ(ErrorCode([&] { ADirLocator(std::string("/a\0b", 4)); }), "FILE_BAD_NAME");

    ScratchDir scratch;
    ADirLocator made = ADirLocator(scratch.str()).Child("x").Child("y");
    EXPECT_FALSE(made.Exists());
    made.Create();
    EXPECT_TRUE(made.Exists());
    EXPECT_EQ(ModeOf(made.GetPath()), 0700u);
    EXPECT_FALSE(made.File("none").Exists());
    EXPECT_EQ(ADirLocator::ApplicationFolder().File("ks_core_tests").Exists(), true);
}
