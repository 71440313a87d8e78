#include "platform/platform.h"
#include "platform/posixinstance.h"

#include <QFile>

// Xlib's macros (None, Bool, ...) must come after everything else.
#include "xpixels.h"

#include <X11/Xatom.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

const QString Lock = u"/skyraid-fullscreen.lock"_s;

void giveAway(const QString& path)
{
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
}

} // namespace

// Only our own lock file counts: not a link to another, not another user's.
TEST(FullScreenClaim, OneExclusiveStartAtATimeAndNoOtherFileCounts)
{
    QTemporaryDir runtime;
    QTemporaryDir elsewhere;
    auto first = claimFullScreenPosix(runtime.path(), true);
    ASSERT_TRUE(first);
    EXPECT_FALSE(claimFullScreenPosix(runtime.path(), true));
    auto shared = claimFullScreenPosix(runtime.path(), false); // a start without the check
    EXPECT_TRUE(shared);
    first.reset();
    EXPECT_FALSE(claimFullScreenPosix(runtime.path(), true)) << "the shared holder still runs";
    shared.reset();

    const auto held = claimFullScreenPosix(elsewhere.path(), false);
    ASSERT_TRUE(QFile::remove(runtime.path() + Lock));
    ASSERT_TRUE(QFile::link(elsewhere.path() + Lock, runtime.path() + Lock));
    EXPECT_TRUE(claimFullScreenPosix(runtime.path(), true)) << "a link was followed";
    if (::geteuid() == 0) {
        giveAway(elsewhere.path() + Lock);
        EXPECT_TRUE(claimFullScreenPosix(elsewhere.path(), true)) << "another user's lock counted";
    }
    EXPECT_TRUE(claimFullScreenPosix(u"/nonexistent/folder"_s, true));
    EXPECT_TRUE(claimFullScreenPosix(QString(), true));
}

// Without XDG_RUNTIME_DIR the folder is made private in the temporary
// folder. When another user links it elsewhere, lets everyone in or owns it,
// and holds a lock there, the saver still starts, and exclusive starts still
// exclude each other. The temporary folder and the home are scratch.
TEST(RuntimeFolder, IsUsedOnlyWhileItIsOursAlone)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray home = qgetenv("HOME");
    QTemporaryDir scratch;
    QTemporaryDir target;
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("HOME", QFile::encodeName(scratch.filePath(u"home"_s)));
    const QString shared = scratch.filePath(u"skyraid-%1"_s.arg(::getuid()));
    const QByteArray path = QFile::encodeName(shared);
    EXPECT_EQ(userRuntimeFolder(scratch.path()), shared);
    EXPECT_EQ(QFile::permissions(shared), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    for (int planted = 0; planted < (::geteuid() == 0 ? 3 : 2); ++planted) {
        SCOPED_TRACE(planted);
        QDir(shared).removeRecursively();
        QFile::remove(shared);
        if (planted == 0) {
            ASSERT_TRUE(QFile::link(target.path(), shared));
        } else {
            ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
            ::chmod(path.constData(), planted == 1 ? 0777 : 0700);
        }
        if (planted == 2)
            giveAway(shared);
        const auto squatter = claimFullScreenPosix(shared, false);
        EXPECT_NE(userRuntimeFolder(scratch.path()), shared);
        const auto claim = claimFullScreenPosix(userRuntimeFolder(scratch.path()), true);
        EXPECT_TRUE(claim) << "a lock in the planted folder stopped the saver";
        EXPECT_FALSE(claimFullScreenPosix(userRuntimeFolder(scratch.path()), true));
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("HOME", home);
}

using X11Platform = test::XProgram;

// Windows found by their title, named the old way and the new; and measured,
// while they are windows at all.
TEST_F(X11Platform, FindsAndMeasuresWindows)
{
    const auto platform = createPlatform();
    const Window root = DefaultRootWindow(m_display);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    const auto make = [&](const char* name, Atom property) {
        const Window window = XCreateSimpleWindow(m_display, root, 0, 0, 100, 80, 0, 0, 0);
        XChangeProperty(m_display, window, property, property == XA_WM_NAME ? XA_STRING : utf8, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(name),
                        int(std::strlen(name)));
        XMapWindow(m_display, window);
        XSync(m_display, False);
        return window;
    };
    const Atom netWmName = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Window other = make("Display Properties (old)", XA_WM_NAME);
    EXPECT_FALSE(platform->topLevelWindowExists(u"Display Properties"_s));
    for (const Atom property : {Atom(XA_WM_NAME), netWmName}) {
        const Window panel = make("Display Properties", property);
        EXPECT_TRUE(platform->topLevelWindowExists(u"Display Properties"_s)) << property;
        XDestroyWindow(m_display, panel);
        XSync(m_display, False);
        EXPECT_FALSE(platform->topLevelWindowExists(u"Display Properties"_s));
    }
    EXPECT_EQ(platform->clientSize(other), QSize(100, 80));
    EXPECT_FALSE(platform->clientSize(other + (quintptr(1) << 32))) << "cut down to a window";
    XDestroyWindow(m_display, other);
    const Pixmap pixmap = XCreatePixmap(m_display, root, 8, 8, 1);
    XSync(m_display, False);
    for (const quintptr window : {quintptr(other), quintptr(pixmap), quintptr(0)})
        EXPECT_FALSE(platform->clientSize(window)) << window;
}

// SIGTERM and SIGINT reach the handler on the event loop and leave errno to
// the code they interrupt, even once more arrive than the way to the loop
// holds. Once the watch ends both act as before it.
TEST(Termination, ReachesTheHandlerAndEndsTheWatchAsFound)
{
    struct sigaction before[2];
    ::sigaction(SIGTERM, nullptr, &before[0]);
    ::sigaction(SIGINT, nullptr, &before[1]);
    const auto platform = createPlatform();
    int calls = 0;
    platform->watchTermination([&] { ++calls; });
    int errnoChanged = 0;
    for (int i = 0; i < (1 << 17); ++i) {
        errno = EDOM;
        ::raise(i % 2 ? SIGINT : SIGTERM);
        errnoChanged += errno != EDOM;
    }
    EXPECT_EQ(errnoChanged, 0);
    EXPECT_TRUE(test::poll([&] { return calls > 0; }));
    EXPECT_EQ(calls, 1);

    platform->watchTermination({});
    for (const int watched : {SIGTERM, SIGINT}) {
        struct sigaction now;
        ::sigaction(watched, nullptr, &now);
        EXPECT_EQ(now.sa_handler, before[watched == SIGINT].sa_handler) << watched;
    }
}
