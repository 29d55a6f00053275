#ifndef _WIN32

#include "platform/posix/DesktopEntry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/UrlOpener.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace tavrin::platform::posix {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

TEST(DesktopEntryTest, TurnsExecLinesIntoCommandsAndArguments) {
    for (const std::vector<std::string>& c : testing::ReadCases("desktop/exec.txt")) {
        const std::string command = ExecToCommand(UnescapeKeyFileString(c[0]));
        EXPECT_EQ(command, c[1]) << c[0];
        std::string words;
        for (const std::string& word : SplitCommandLine(command)) {
            words += (words.empty() ? "" : "|") + word;
        }
        EXPECT_EQ(words, c[2]) << c[0];
    }
    EXPECT_EQ(SplitCommandLine("  a \t\"c d\"e  "), (std::vector<std::string>{"a", "c de"}));
}

// The folders of tests/fixtures/desktop: a user's data folder, the system's and the
// configuration's.
TEST(DesktopEntryTest, FindsTheDefaultBrowsersEntry) {
    const std::string top = TAVRIN_FIXTURES_DIR "/desktop/";
    const std::vector<std::string> dataDirs = {top + "home", top + "system"};
    EXPECT_EQ(FindDesktopEntry("browser.desktop", dataDirs),
              top + "home/applications/browser.desktop");
    EXPECT_EQ(FindDesktopEntry("kde4-viewer.desktop", dataDirs),
              top + "system/applications/kde4/viewer.desktop");
    for (const char* absent : {"missing.desktop", "kde4/viewer.desktop", "../home/x.desktop", ""}) {
        EXPECT_EQ(FindDesktopEntry(absent, dataDirs), std::nullopt) << absent;
    }
    EXPECT_EQ(DesktopEntryCommand(top + "system/applications/kde4/viewer.desktop"),
              "viewer \"%1\"");
    EXPECT_EQ(DesktopEntryCommand(top + "system/applications/browser.desktop"), "system %1");
    EXPECT_EQ(DesktopEntryCommand(top + "system/applications/link.desktop"), std::nullopt);

    const std::vector<std::string> config = {top + "config"};
    EXPECT_EQ(DefaultApplicationFromMimeApps("text/html", config, dataDirs), "browser.desktop");
    EXPECT_EQ(DefaultApplicationFromMimeApps("text/plain", config, dataDirs),
              "kde4-viewer.desktop");
    EXPECT_EQ(DefaultApplicationFromMimeApps("image/png", config, dataDirs), std::nullopt);
}

TEST(DesktopEntryTest, TakesFoldersFromTheEnvironment) {
    ScopedEnv home("HOME", "/home/user");
    ScopedEnv dataHome("XDG_DATA_HOME", std::nullopt);
    ScopedEnv dataDirs("XDG_DATA_DIRS", std::nullopt);
    ScopedEnv configHome("XDG_CONFIG_HOME", "relative/ignored");
    ScopedEnv configDirs("XDG_CONFIG_DIRS", "/etc/a::relative:/etc/b");
    EXPECT_EQ(DataDirs(), (std::vector<std::string>{"/home/user/.local/share", "/usr/local/share",
                                                    "/usr/share"}));
    EXPECT_EQ(ConfigDirs(), (std::vector<std::string>{"/home/user/.config", "/etc/a", "/etc/b"}));
}

// No failure may come out as a code that reads as opened.
TEST(DesktopEntryTest, MapsFailuresToResultCodes) {
    const std::pair<int, int> statuses[] = {{0, 33}, {1, 27}, {2, 2}, {4, 31}};
    for (auto [status, result] : statuses) {
        EXPECT_EQ(XdgOpenStatusToResult(status), result) << status;
    }
    const std::pair<int, int> errors[] = {{ENOENT, 2}, {EACCES, 5}, {EAGAIN, 0}, {EINVAL, -EINVAL}};
    for (auto [error, result] : errors) {
        EXPECT_EQ(SpawnErrorToResult(error), result) << error;
        EXPECT_LE(SpawnErrorToResult(error), kOpenedAbove);
    }
}

// The real opener, with the programs it starts replaced by scripts in a folder that is the
// whole search path, so that nothing of the system's is ever started.
class SystemUrlOpenerTest : public ::testing::Test {
protected:
    void WriteScript(const std::string& name, const std::string& body) {
        dir.Write("bin/" + name, "#!/bin/sh\n" + body);
        ::chmod(dir.File("bin/" + name).c_str(), 0755);
    }

    TempDir dir;
    ScopedEnv path{"PATH", dir.File("bin")};
    ScopedEnv dataHome{"XDG_DATA_HOME", dir.File("data")};
    ScopedEnv dataDirs{"XDG_DATA_DIRS", dir.File("system")};
    ScopedEnv configHome{"XDG_CONFIG_HOME", dir.File("config")};
    ScopedEnv configDirs{"XDG_CONFIG_DIRS", dir.File("etc")};
    IUrlOpener& opener = SystemUrlOpener();
};

TEST_F(SystemUrlOpenerTest, OpensWithXdgOpenAndReportsItsFailure) {
    // Without xdg-open nothing can open the link.
    EXPECT_EQ(opener.OpenWithDefaultHandler("https://www.tavrin.example/"), 31);

    WriteScript("xdg-open", "printf '%s|' \"$@\" > " + dir.File("args") + "\nexit 0\n");
    EXPECT_EQ(opener.OpenWithDefaultHandler("https://x.example/\x83\x65 a"), 33);
    EXPECT_EQ(dir.Read("args"), "https://x.example/テ a|");

    WriteScript("xdg-open", "exit 2\n");
    EXPECT_EQ(opener.OpenWithDefaultHandler("/no/such/file"), 2);
}

TEST_F(SystemUrlOpenerTest, FindsTheRegisteredBrowserCommand) {
    EXPECT_EQ(opener.RegisteredBrowserCommand(), std::nullopt);

    // Without xdg-mime, the mimeapps.list files name the browser.
    dir.Write("system/applications/web.desktop", "[Desktop Entry]\nExec=web --url \"%u\"\n");
    dir.Write("config/mimeapps.list", "[Default Applications]\ntext/html=web.desktop;\n");
    EXPECT_EQ(opener.RegisteredBrowserCommand(), "web --url \"%1\"");

    // xdg-mime's answer comes first.
    dir.Write("data/applications/ブラウザ.desktop", "[Desktop Entry]\nExec=ブラウザ %U\n");
    WriteScript("xdg-mime", "echo 'ブラウザ.desktop'\n");
    EXPECT_EQ(opener.RegisteredBrowserCommand(), "\x83\x75\x83\x89\x83\x45\x83\x55 %1");

    // An answer naming nothing installed falls back to the lists.
    WriteScript("xdg-mime", "echo gone.desktop\n");
    EXPECT_EQ(opener.RegisteredBrowserCommand(), "web --url \"%1\"");
}

TEST_F(SystemUrlOpenerTest, RunsCommandsWithoutAShell) {
    WriteScript("fake-browser", "printf '%s|' \"$@\" > " + dir.File("ran") + "\n");
    EXPECT_EQ(opener.RunCommand("fake-browser -x \"two words\"  mailto:a@b.example;$(false)"), 33);
    // The program runs on its own: wait until it has written what it got.
    for (int i = 0; i < 250 && !dir.Exists("ran"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(dir.Read("ran"), "-x|two words|mailto:a@b.example;$(false)|");

    EXPECT_EQ(opener.RunCommand("not-installed https://www.tavrin.example/"), 2);
    dir.Write("bin/not-executable", "#!/bin/sh\n");
    EXPECT_EQ(opener.RunCommand("not-executable x"), 5);
}

}  // namespace
}  // namespace tavrin::platform::posix

#endif
