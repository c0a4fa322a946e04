#include "platform/ui/SoftwareCentre.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using qui::SoftwareCentre;

class SoftwareCentreTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString config = root.filePath("config");
    QString apps = root.filePath("applications");

    void write(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    bool handled() { return SoftwareCentre::hasHandler("appstream", {config}, {apps}); }
    void addCentre() {
        write(apps + "/org.example.Software.desktop",
              "[Desktop Entry]\nName=Software\nExec=software %U\n");
    }
};

TEST_F(SoftwareCentreTest, AHandlerCountsOnlyWhenItsDesktopEntryExists) {
    EXPECT_FALSE(handled()) << "nothing registered";
    write(config + "/mimeapps.list",
          "[Default Applications]\nx-scheme-handler/appstream=org.example.Software.desktop\n");
    EXPECT_FALSE(handled()) << "named, but no such application";
    addCentre();
    EXPECT_TRUE(handled());
    EXPECT_TRUE(SoftwareCentre::hasHandler("AppStream", {config}, {apps}));
    EXPECT_FALSE(SoftwareCentre::hasHandler("itms-apps", {config}, {apps}));

    write(apps + "/mimeapps.list",
          "[Removed Associations]\nx-scheme-handler/appstream=org.example.Software.desktop;\n");
    EXPECT_FALSE(handled()) << "removed again";
}

TEST_F(SoftwareCentreTest, TheCacheAndTheDesktopEntriesAlsoRegister) {
    addCentre();
    write(apps + "/mimeinfo.cache",
          "[MIME Cache]\nx-scheme-handler/appstream=org.example.Software.desktop;\n");
    EXPECT_TRUE(handled());
    QFile::remove(apps + "/mimeinfo.cache");
    EXPECT_FALSE(handled());
    write(apps + "/org.example.Software.desktop",
          "[Desktop Entry]\nName=Software\nMimeType=text/plain;x-scheme-handler/appstream;\n");
    EXPECT_TRUE(handled());
}

TEST_F(SoftwareCentreTest, RatingGoesToTheWebSiteWithoutACentre) {
    const QUrl site("https://www.quendrix.example/lite/");
    EXPECT_EQ(SoftwareCentre::ratingPage("com.quendrix.app", site, true),
              QUrl("appstream://com.quendrix.app"));
    EXPECT_EQ(SoftwareCentre::ratingPage("com.quendrix.app", site, false), site);
    EXPECT_EQ(SoftwareCentre::ratingPage("", site, true), site);
    EXPECT_EQ(QUrl(SoftwareCentre::kProductWebsite).path(), "/lite/");
}

} // namespace
