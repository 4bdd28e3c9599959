// The start-up ID as a launcher hands it over and waits for it back. The ID
// is taken and the start announced once per process, so each case runs in a
// process of its own, as a fresh start of the program would; a listener in
// this process hears what it sends on the test's X display.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "startup_listener.h"
#include "startup_notification_x11.h"

namespace {

constexpr int kWaitMs = 2000;

// Runs the body in a forked process; true when it recorded no failure. Its
// failures are reported by the child as they happen.
bool InChild(const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        std::fflush(nullptr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// What a program started with this DESKTOP_STARTUP_ID (none for null) does:
// take it, make a window with the ID on it, and announce twice. Checks the
// property.
void StartAndAnnounce(const char* id) {
    if (id) {
        setenv("DESKTOP_STARTUP_ID", id, 1);
    } else {
        unsetenv("DESKTOP_STARTUP_ID");
    }
    TakeStartupId();
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    SetStartupIdProperty(display, window);
    AnnounceStartupComplete(display, window);
    AnnounceStartupComplete(display, window);

    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_STARTUP_ID", False), 0, 1024,
                       False, AnyPropertyType, &type, &format, &items, &remaining, &data);
    const std::string value = data ? std::string(reinterpret_cast<char*>(data), items) : "";
    if (id && *id) {
        EXPECT_EQ(type, XInternAtom(display, "UTF8_STRING", False));
        EXPECT_EQ(format, 8);
        EXPECT_EQ(value, id);
    } else {
        EXPECT_EQ(type, static_cast<Atom>(0)) << "a property without an ID: " << value;
    }
    if (data) {
        XFree(data);
    }
    XCloseDisplay(display);
}

TEST(StartupNotificationTest, RemoveMessageQuotesOnlyIdsThatNeedIt) {
    EXPECT_EQ(StartupRemoveMessage("dock/quillmere/42-0-host_TIME1234"),
              "remove: ID=dock/quillmere/42-0-host_TIME1234");
    EXPECT_EQ(StartupRemoveMessage(R"(a b"c\d)"), R"(remove: ID="a b\"c\\d")");
    EXPECT_EQ(StartupRemoveMessage(R"(x"y\z)"), R"(remove: ID="x\"y\\z")");
}

TEST(StartupNotificationTest, TakesTheIdOutOfTheEnvironmentOnce) {
    EXPECT_TRUE(InChild([] {
        setenv("DESKTOP_STARTUP_ID", "first_TIME1", 1);
        TakeStartupId();
        EXPECT_EQ(std::getenv("DESKTOP_STARTUP_ID"), nullptr);
        EXPECT_EQ(StartupId(), "first_TIME1");
        setenv("DESKTOP_STARTUP_ID", "second_TIME2", 1);
        TakeStartupId();
        EXPECT_EQ(StartupId(), "first_TIME1");
    }));
}

TEST(StartupNotificationTest, ListenerHearsTheRemoveMessageOnceWhole) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    StartupListener listener(display);
    // Pieces of 20 bytes: several, with quoting; the NUL last in a full
    // piece; the NUL alone in a piece of its own.
    const std::string ids[] = {R"(dock "main" \ menu/quillmere_TIME99)", std::string(40 - 12, 'a'),
                               std::string(40 - 11, 'b')};
    ASSERT_EQ(StartupRemoveMessage(ids[1]).size() + 1, 40u);
    ASSERT_EQ(StartupRemoveMessage(ids[2]).size(), 40u);
    for (const std::string& id : ids) {
        EXPECT_TRUE(InChild([&] { StartAndAnnounce(id.c_str()); })) << id;
        EXPECT_EQ(listener.Messages(kWaitMs), std::vector<std::string>{StartupRemoveMessage(id)});
    }
    XCloseDisplay(display);
}

TEST(StartupNotificationTest, WithoutAnIdNothingIsSent) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    StartupListener listener(display);
    EXPECT_TRUE(InChild([] { StartAndAnnounce(""); }));
    EXPECT_TRUE(InChild([] { StartAndAnnounce(nullptr); }));
    EXPECT_TRUE(listener.Messages(200).empty());
    XCloseDisplay(display);
}

}  // namespace
