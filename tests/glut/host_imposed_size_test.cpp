// The host under a window manager that decides the window's size itself and
// never grants the size the host asks for: the host takes the size it is
// given without asking for ever, and picture and pointer still agree.
#include "host_fixture.h"

#include <GL/freeglut.h>

#include <chrono>

#include "child_process.h"
#include "pause.h"
#include "pixel_view.h"
#include "size_keeper.h"

namespace {

// A CARDINAL the test window manager keeps on the root window, or -1.
long RootCardinal(XTestClient& x, const char* name) {
    const std::vector<unsigned long> items =
        x.GetCardinals(DefaultRootWindow(x.GetDisplay()), name);
    return items.size() == 1 ? static_cast<long>(items[0]) : -1;
}

// The window manager starts before the host's window exists.
class StubbornWindowManager : public ::testing::Environment {
public:
    void SetUp() override {
        wm = std::make_unique<ChildProcess>(STUBBORN_WM);
        XTestClient x;
        ASSERT_TRUE(WaitUntil([&] { return RootCardinal(x, "_QM_STUBBORN_WM_READY") == 1; }, 5'000))
            << "the window manager did not start: " << wm->Output();
    }

private:
    std::unique_ptr<ChildProcess> wm;
};

const auto* const kWindowManager = ::testing::AddGlobalTestEnvironment(new StubbornWindowManager);

class ImposedSizeTest : public HostTest {
protected:
    ~ImposedSizeTest() override { Impose(0, 0); }

    // How the window manager answers the host's requests.
    enum class Answer { OwnSize = 0, Silently = 1, Never = 2 };

    // The window manager sizes the window, as a tiling manager would; it
    // answers requests with a size of its own, silently with the size the
    // window has, or not at all.
    void Impose(int width, int height, Answer answer = Answer::OwnSize) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = DefaultRootWindow(x.GetDisplay());
        event.xclient.message_type = XInternAtom(x.GetDisplay(), "_QM_IMPOSE_SIZE", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(shared.window);
        event.xclient.data.l[1] = width;
        event.xclient.data.l[2] = height;
        event.xclient.data.l[3] = static_cast<long>(answer);
        XSendEvent(x.GetDisplay(), event.xclient.window, False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        x.Sync();
    }

    long Requests() { return RootCardinal(x, "_QM_CONFIGURE_REQUESTS"); }

    // The manager has had `count` requests since `before`, and the window
    // has the size, as the host knows.
    bool HasRequestsAndSize(long before, long count, int width, int height) {
        return Requests() - before == count && HasSize(width, height);
    }

    // A host that asked again whenever its size is not the one it wants
    // would do so within a few passes of its loop once it has the answer;
    // pumping for this long after the answer shows that it does not.
    static constexpr std::chrono::milliseconds kNoFurtherRequest{300};

    // The window has the size, and the host has had word of it.
    bool HasSize(int width, int height) {
        const XTestClient::Geometry g = x.GetGeometry(shared.window);
        return g.width == width && g.height == height && host.WindowWidth() == width &&
               host.WindowHeight() == height;
    }
};

TEST_F(ImposedSizeTest, ASizeTheWindowManagerInsistsOnIsTakenAfterOneRequest) {
    for (const auto& [width, height] : {std::pair{1200, 900}, {700, 500}, {1023, 799}}) {
        const long before = Requests();
        Impose(width, height);
        // Asked once for 1024 by 800, the manager answers one pixel smaller.
        EXPECT_TRUE(PumpUntil([&] { return HasRequestsAndSize(before, 1, width - 1, height - 1); },
                              std::chrono::seconds(5)));
        PumpFor(kNoFurtherRequest);
        EXPECT_EQ(Requests() - before, 1)
            << "requests after the window was made " << width << "x" << height;
        EXPECT_TRUE(HasSize(width - 1, height - 1))
            << "window is " << x.GetGeometry(shared.window).width << "x"
            << x.GetGeometry(shared.window).height;
        EXPECT_EQ(host.GetWidth(), 1024.0f) << "the kept size changed";
    }
}

// Refused silently, the request is answered all the same: the next size the
// manager imposes, as when a user drags the frame, is asked back once more.
TEST_F(ImposedSizeTest, ASilentRefusalAnswersTheRequestAndTheNextResizeIsAskedBack) {
    for (const auto& [width, height] : {std::pair{900, 700}, {800, 600}}) {
        const long before = Requests();
        Impose(width, height, Answer::Silently);
        EXPECT_TRUE(PumpUntil([&] { return HasRequestsAndSize(before, 1, width, height); },
                              std::chrono::seconds(5)));
        PumpFor(kNoFurtherRequest);
        EXPECT_EQ(Requests() - before, 1)
            << "requests after the window was made " << width << "x" << height;
        EXPECT_TRUE(HasSize(width, height));
    }
}

// Never answered, the request counts as refused once the wait is over: the
// next size the manager imposes is asked back, not taken for the answer.
TEST_F(ImposedSizeTest, ARequestNeverAnsweredCountsAsRefusedAndTheNextResizeIsAskedBack) {
    for (const auto& [width, height] : {std::pair{900, 700}, {800, 600}}) {
        const long before = Requests();
        Impose(width, height, Answer::Never);
        EXPECT_TRUE(PumpUntil([&] { return HasRequestsAndSize(before, 1, width, height); },
                              std::chrono::seconds(5)));
        // The host's clock is the test's: the wait passes when the test says.
        clock.AdvanceMilliseconds(static_cast<int>(SizeKeeper::kAnswerWait * 1000) + 1);
        EXPECT_EQ(Requests() - before, 1)
            << "requests after the window was made " << width << "x" << height;
        EXPECT_TRUE(HasSize(width, height));
    }
}

TEST_F(ImposedSizeTest, PictureAndPointerAgreeAtAnyWindowSizeZoomAndPan) {
    constexpr unsigned long kBlack = 0x000000;
    constexpr unsigned long kWhite = 0xFFFFFF;
    for (const auto& [width, height] : {std::pair{1201, 901}, {701, 501}, {1024, 799}}) {
        Impose(width, height);
        // The manager's answer to the one request is one pixel smaller.
        ASSERT_TRUE(PumpUntil([&] { return HasSize(width - 1, height - 1); }));
        for (const float zoom : {1.0f, 2.0f}) {
            for (const bool panned : {false, true}) {
                host.SetZoom(zoom);
                host.SetPan(panned ? 600.0f : 512.0f, panned ? 380.0f : 400.0f);
                // Pixels near three corners and inside, clear of the edges.
                for (const auto& [px, py] : {std::pair{2, 2},
                                             {width - 4, 2},
                                             {2, height - 4},
                                             {width / 2 + 7, height / 3 + 5}}) {
                    SCOPED_TRACE(testing::Message()
                                 << "window " << width - 1 << "x" << height - 1 << ", zoom " << zoom
                                 << (panned ? ", panned" : "") << ", pixel (" << px << ", " << py
                                 << ")");
                    const Vec2 q =
                        host.WindowToWorld(static_cast<float>(px), static_cast<float>(py));
                    if (zoom == 1.0f && !panned) {
                        EXPECT_EQ(q.x, static_cast<float>(px));
                        EXPECT_EQ(q.y, static_cast<float>(py));
                    }
                    // A square one pixel each way around the mapped point
                    // covers the pixel and its upper left neighbours only.
                    const float half = 1.0f / zoom;
                    client.onDraw = [&] {
                        glColor3f(0.0f, 0.0f, 0.0f);
                        glRectf(q.x - half, q.y - half, q.x + half, q.y + half);
                    };
                    host.Redraw();
                    host.Redraw();
                    XSync(shared.glutDisplay, False);
                    const XTestClient::Image image = x.Capture(shared.window);
                    EXPECT_EQ(image.At(px, py), kBlack);
                    EXPECT_EQ(image.At(px - 1, py - 1), kBlack);
                    EXPECT_EQ(image.At(px + 1, py), kWhite);
                    EXPECT_EQ(image.At(px - 2, py), kWhite);
                    EXPECT_EQ(image.At(px, py + 1), kWhite);
                    EXPECT_EQ(image.At(px, py - 2), kWhite);
                }
            }
        }
        client.onDraw = nullptr;
    }
}

TEST_F(ImposedSizeTest, TheStartUpViewIsWholePixelsFromTheTopLeftAtAnySize) {
    for (const auto& [width, height] : {std::pair{1261, 1001}, {801, 601}}) {
        Impose(width, height);
        ASSERT_TRUE(PumpUntil([&] { return HasSize(width - 1, height - 1); }));
        std::optional<tvPixelView> view;
        client.onDraw = [&] { view = CurrentPixelView(); };
        host.Redraw();
        ASSERT_TRUE(view) << "the grid painter would draw cell by cell at " << width - 1 << "x"
                          << height - 1;
        EXPECT_EQ(view->left, 0);
        EXPECT_EQ(view->top, height - 1) << "world y 0 is not the window's top row";
        client.onDraw = nullptr;
    }
}

}  // namespace
