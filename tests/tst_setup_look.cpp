#include "settings/keys.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace skyraid;

// Shows the dialog on each tab with seeded settings and keeps a picture of
// each under the temporary folder, for a person to look at.
TEST(SetupLook, EveryTabFitsTheDialog)
{
    test::MemoryStore store;
    SetRegistry(store, QStringLiteral("/usr/share/skyraid/"));
    skyraid::Setup setup(store);
    setup.show();
    for (int tab = 0; tab < setup.tabs()->count(); ++tab) {
        setup.tabs()->setCurrentIndex(tab);
        const QImage picture = setup.grab().toImage();
        ASSERT_FALSE(picture.isNull());
        const QWidget* page = setup.tabs()->widget(tab);
        // Nothing on the tab is squeezed below what it needs.
        EXPECT_GE(page->width(), page->minimumSizeHint().width());
        EXPECT_GE(page->height(), page->minimumSizeHint().height());
        picture.save(QDir::temp().filePath(QStringLiteral("skyraid-setup-%1.png").arg(tab)));
    }
}

namespace {

bool hasPixelOf(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(SetupLook, FrameCaptionsAreDarkBlue)
{
    test::MemoryStore store;
    skyraid::Setup setup(store);
    setup.show();
    auto* frame = setup.findChild<QWidget*>(QStringLiteral("frameSpeed"));
    ASSERT_NE(frame, nullptr);
    const QImage picture = frame->grab().toImage();
    EXPECT_TRUE(hasPixelOf(picture, QColor(0, 0, 192)));
}
