#include "setup/setup.h"
#include "testsupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Stands for the user's web browser: remembers the addresses it is asked to open.
class Browser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class SetupHelp : public ::testing::Test {
protected:
    SetupHelp()
        : dialog(store, {u"Arial"_s}, DialogServices{&messages, [] { return QStringList(); }})
    {
        dialog.show();
        m_loadWrites = store.writes().size();
    }

    void press(const char* name)
    {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    QStringList writesSinceOpening() const { return store.writes().mid(m_loadWrites); }

    test::MemoryStore store;
    test::RecordingMessages messages;
    skyraid::Setup dialog;

private:
    qsizetype m_loadWrites = 0;
};

} // namespace

TEST_F(SetupHelp, OnlineHelpOpensTheSupportPageOfTheSiteInTheCaption)
{
    Browser browser;
    QDesktopServices::setUrlHandler(u"https"_s, &browser, "open");
    press("cmdHelp");
    QDesktopServices::unsetUrlHandler(u"https"_s);

    ASSERT_EQ(browser.opened.size(), 1);
    const QUrl page = browser.opened.first();
    EXPECT_EQ(page.host(), skyraid::Setup::webAddress());
    EXPECT_EQ(page.path(), u"/support.htm");
    EXPECT_TRUE(dialog.windowTitle().endsWith(page.host()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(writesSinceOpening().isEmpty());
}

TEST_F(SetupHelp, OnlineHelpWithNothingToOpenItSaysNothing)
{
    // The offscreen desktop has no program for web addresses; a real one
    // might start a browser.
    if (QGuiApplication::platformName() != u"offscreen")
        GTEST_SKIP() << "needs Qt's offscreen platform";
    const QWidgetList before = QApplication::topLevelWidgets();
    press("cmdHelp");
    QApplication::processEvents();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(QApplication::topLevelWidgets(), before);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(writesSinceOpening().isEmpty());
}

TEST_F(SetupHelp, AboutShowsNameAndVersionThenTheNoticeOfRights)
{
    press("cmdAbout");
    ASSERT_EQ(messages.shown.size(), 1u);
    const auto& about = messages.shown.front();
    EXPECT_EQ(about.title, u"SkyRaid");
    EXPECT_EQ(about.icon, MessageBoxes::Icon::None);
    const QStringList lines = about.text.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 2) << about.text.toStdString();
    EXPECT_EQ(lines[0], u"SkyRaid 3.40  Developed by Stratowave");
    EXPECT_TRUE(lines[1].startsWith(u"Copyright \u00A9 2026 Stratowave")) << lines[1].toStdString();
    EXPECT_FALSE(lines[1].contains(u'\n'));
    EXPECT_TRUE(writesSinceOpening().isEmpty());
}

#include "tst_setup_help.moc"
