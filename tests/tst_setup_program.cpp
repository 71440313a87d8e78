// The whole program on a real (virtual) X display: "skyraid /c" opens the
// dialog on the user's store, which holds a message longer than a text box
// and lacks "Clock"; the dialog stores the fallback of "Clock" at once, Escape
// closes it, and the message is whole.
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"

// Xlib's macros must come after everything else.
#include "xpixels.h"

using namespace skyraid;
using namespace Qt::StringLiterals;

using SetupProgram = test::XProgram;

TEST_F(SetupProgram, ConfigurationModeWorksOnTheUsersStore)
{
    SystemSettingsStore store(m_config.filePath(u"SkyRaid/SkyRaid.ini"_s));
    const QString message(100000, u'm');
    writeSetting(store, keys::Message, message);
    start({u"/c"_s});
    // Our own dialog: the window of this very process.
    const QString window = xdotool({u"search"_s, u"--sync"_s, u"--all"_s, u"--onlyvisible"_s,
                                    u"--pid"_s, QString::number(m_program.processId()), u"--name"_s,
                                    u"^Sky Raiders Control Box"_s});
    ASSERT_FALSE(window.isEmpty()) << "the dialog did not appear";
    EXPECT_TRUE(test::poll([&] { return readSetting(store, keys::Clock) == u"1"_s; }));
    xdotool({u"windowfocus"_s, u"--sync"_s, window, u"key"_s, u"Escape"_s});
    expectEnds();
    EXPECT_TRUE(readSetting(store, keys::Message) == message) << "the message was cut";
}
