// The real program on a real (virtual) X display.
// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <X11/keysym.h>
#include <signal.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

class RunningSaver : public test::XProgram {
protected:
    // The saver's window once it covers the whole screen, or 0.
    Window waitForCover()
    {
        const Screen* screen = DefaultScreenOfDisplay(m_display);
        Window cover = 0;
        test::poll([&] {
            return cover = test::childOfSize(m_display, RootWindowOfScreen(screen), screen->width,
                                             screen->height);
        });
        return cover;
    }

    // Takes the keyboard or the pointer, as another program would (an open
    // menu, a locker).
    int grabKeyboard()
    {
        const int status = XGrabKeyboard(m_display, DefaultRootWindow(m_display), False,
                                         GrabModeAsync, GrabModeAsync, CurrentTime);
        XSync(m_display, False);
        return status;
    }
    int grabPointer()
    {
        return XGrabPointer(m_display, DefaultRootWindow(m_display), False, ButtonPressMask,
                            GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    }

    QString errors()
    {
        return m_errors += QString::fromLocal8Bit(m_program.readAllStandardError());
    }

    QString m_errors;
};

} // namespace

TEST_F(RunningSaver, TakesTheKeyboardAndTheMouseOnceAnotherProgramLetsGo)
{
    ASSERT_EQ(grabKeyboard(), GrabSuccess);
    ASSERT_EQ(grabPointer(), GrabSuccess);
    start({u"/s"_s});
    ASSERT_NE(waitForCover(), 0u);
    EXPECT_TRUE(test::poll([&] { return errors().contains(u"holds the keyboard"_s); }))
        << "the saver did not say why keys do not reach it";

    // A window of ours over the whole screen, so under the pointer, with the
    // focus, sees each grab of the saver's arrive: it takes the pointer or the
    // keyboard away from it.
    const Window ours =
        XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 9999, 9999, 0, 0, 0);
    XSelectInput(m_display, ours, FocusChangeMask | LeaveWindowMask);
    XMapWindow(m_display, ours);
    XSetInputFocus(m_display, ours, RevertToPointerRoot, CurrentTime);
    const auto letGoAndWaitForTheSaver = [&](auto letGo, int taken) {
        letGo(m_display, CurrentTime);
        XSync(m_display, False);
        return test::poll([&] {
            XEvent event;
            while (XCheckTypedWindowEvent(m_display, ours, taken, &event)) {
                if ((taken == FocusOut ? event.xfocus.mode : event.xcrossing.mode) == NotifyGrab)
                    return true;
            }
            return false;
        });
    };
    // The mouse first: the saver takes it on its next try, and keeps asking
    // for the keyboard without saying so again.
    EXPECT_TRUE(letGoAndWaitForTheSaver(XUngrabPointer, LeaveNotify)) << "gave up on the mouse";
    EXPECT_TRUE(letGoAndWaitForTheSaver(XUngrabKeyboard, FocusOut)) << "gave up on the keyboard";
    // Once the saver has them, no one else can take the keyboard or the mouse.
    EXPECT_EQ(grabKeyboard(), AlreadyGrabbed);
    EXPECT_EQ(grabPointer(), AlreadyGrabbed);

    // The system asks the program to end (SIGTERM): a clean exit.
    ::kill(pid_t(m_program.processId()), SIGTERM);
    expectEnds();
    EXPECT_EQ(errors().count(u"holds the"_s), 1) << errors().toStdString();
}

// Without a sound server, and while another program holds the keyboard: the
// scene runs silent, and a key that reaches the saver's window ends it.
TEST_F(RunningSaver, RunsSilentAndEndsOnAKeyInItsWindow)
{
    seedSkyBlue();
    QProcessEnvironment noServer;
    noServer.insert(u"PULSE_SERVER"_s, u"unix:/nonexistent/pulse"_s);
    ASSERT_EQ(grabKeyboard(), GrabSuccess);
    start({u"/s"_s}, noServer);
    const Window cover = waitForCover();
    ASSERT_NE(cover, 0u);
    EXPECT_TRUE(test::poll([&] { return test::screenCentre(m_display) == test::SkyBlue; }))
        << "no frame was drawn";

    XKeyEvent key{};
    key.type = KeyPress;
    key.root = DefaultRootWindow(m_display);
    key.same_screen = True;
    key.keycode = XKeysymToKeycode(m_display, XK_space);
    XSendEvent(m_display, key.window = cover, True, KeyPressMask, reinterpret_cast<XEvent*>(&key));
    XSync(m_display, False);
    expectEnds();
    EXPECT_FALSE(errors().contains(u"ulse"_s, Qt::CaseInsensitive)) << errors().toStdString();
    EXPECT_FALSE(errors().contains(u"sound"_s, Qt::CaseInsensitive)) << errors().toStdString();
}

TEST_F(RunningSaver, PasswordModeOnLinuxShowsANoteAndEndsWhenItIsClosed)
{
    start({u"/a"_s});
    const QString note =
        xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^SkyRaid$"_s});
    ASSERT_FALSE(note.isEmpty());
    xdotool({u"windowfocus"_s, note});
    xdotool({u"key"_s, u"Return"_s});
    expectEnds();
}
