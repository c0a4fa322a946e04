#include "shell/facts/DesktopColorScheme.h"
#include "shell/facts/DiskDrives.h"
#include "shell/facts/LoadSeries.h"
#include "shell/facts/MemStatus.h"
#include "shell/facts/ProcessorLoad.h"
#include "shell/facts/ProcessorSpeed.h"
#include "shell/facts/SizeText.h"
#include "shell/facts/SystemInfo.h"
#include "shell/facts/SystemMonitorLauncher.h"
#include "shell/facts/TopApplications.h"
#include "tests/shell/support/ScratchFolder.h"

#include "platform/core/FileManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <set>

using namespace qshell;

namespace {

const std::string kFixtures = QUENDRIX_SHELL_FIXTURES;

SystemFiles fixtureFiles() {
    return {kFixtures + "/proc", kFixtures + "/sys", kFixtures + "/etc", kFixtures + "/dev"};
}

VmStats fixtureStats() {
    return *MemStatus::parseMeminfo(*qcore::FileManager::readFile(kFixtures + "/proc/meminfo"),
                                    4096);
}

constexpr std::uint64_t kKiB = 1024;

} // namespace

// --- Memory ------------------------------------------------------------------------------------

TEST(ShellMemStatus, MapsMeminfoOntoPageCounts) {
    const VmStats s = fixtureStats();
    EXPECT_EQ(s.totalBytes, 16777216 * kKiB);
    EXPECT_EQ(MemStatus::active(s), 6144000 * kKiB);
    EXPECT_EQ(MemStatus::inactive(s), 4096000 * kKiB);
    EXPECT_EQ(MemStatus::wired(s), (204800 + 16384 + 40960 + 4096) * kKiB);
    EXPECT_EQ(MemStatus::compressed(s), 102400 * kKiB);
    EXPECT_EQ(MemStatus::app(s, false), 4096000 * kKiB);
    EXPECT_EQ(MemStatus::fileCache(s, false), 6144000 * kKiB);
    EXPECT_FALSE(MemStatus::parseMeminfo("MemTotal: 10 kB\n", 4096)) << "figures missing";
}

TEST(ShellMemStatus, UsedMemoryFollowsTheVersionRules) {
    const VmStats s = fixtureStats();
    const auto usedFor = [&s](int major, int minor, int patch) {
        return MemStatus::used(s, MemStatus::usedRule({major, minor, patch}));
    };
    EXPECT_EQ(usedFor(13, 0, 0), (4096000 + 102400 + 266240) * kKiB);
    EXPECT_EQ(usedFor(10, 10, 1), usedFor(13, 0, 0));
    EXPECT_EQ(usedFor(10, 7, 5), (6144000 + 4096000 + 266240) * kKiB);
    EXPECT_EQ(usedFor(10, 9, 0), (4096000 + 102400 + 266240 + 6144000) * kKiB);
    EXPECT_EQ(usedFor(10, 10, 0), usedFor(10, 9, 0));
}

TEST(ShellMemStatus, MemoryDataSwapsInActiveAndInactiveForMinorSevenOrEight) {
    const VmStats s = fixtureStats();
    const MemoryData modern = MemStatus::memoryData(s, {13, 0, 0});
    EXPECT_EQ(modern.app, MemStatus::app(s, false));
    EXPECT_EQ(modern.compress, MemStatus::compressed(s));
    const MemoryData minor7 = MemStatus::memoryData(s, {12, 7, 0});
    EXPECT_EQ(minor7.app, MemStatus::active(s));
    EXPECT_EQ(minor7.compress, MemStatus::inactive(s));
    EXPECT_EQ(modern.available + modern.used, modern.total);
}

TEST(ShellMemStatus, FreeMemoryNeverWrapsBelowZero) {
    VmStats s;
    s.totalBytes = 4096;
    s.internalPages = 10;
    s.purgeablePages = 20; // more purgeable than internal must not wrap either
    s.wiredPages = 5;
    EXPECT_EQ(MemStatus::app(s, false), 0u);
    EXPECT_EQ(MemStatus::freeOf(s, MemStatus::UsedRule::AppCompressedWired), 0u);
}

TEST(ShellMemStatus, FailedReadKeepsTheLastGoodSnapshot) {
    const std::string path = ::testing::TempDir() + "/meminfo-flaky";
    std::filesystem::copy_file(kFixtures + "/proc/meminfo", path,
                               std::filesystem::copy_options::overwrite_existing);
    MemStatus status(path, 4096, {13, 0, 0});
    EXPECT_FALSE(status.hasSnapshot());
    ASSERT_TRUE(status.get_stats());
    const std::uint64_t used = status.usedMemory();

    std::ofstream(path, std::ios::trunc) << "garbage\n";
    EXPECT_FALSE(status.get_stats());
    std::filesystem::remove(path);
    EXPECT_FALSE(status.get_stats());
    EXPECT_EQ(status.usedMemory(), used);
    EXPECT_TRUE(status.hasSnapshot());
}

// --- Processor ---------------------------------------------------------------------------------

TEST(ShellProcessorLoad, ReducesTheCpuLineToThreeCounters) {
    const auto ticks = ProcessorLoad::readCpuLoadTicks(kFixtures + "/proc/stat");
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->user, 120u);  // user + nice
    EXPECT_EQ(ticks->system, 40u); // system + irq + softirq
    EXPECT_EQ(ticks->idle, 450u);  // idle + iowait
    EXPECT_FALSE(ProcessorLoad::parseProcStat("cpu0 1 2 3 4\n"));
    EXPECT_FALSE(ProcessorLoad::readCpuLoadTicks(kFixtures + "/proc/none"));
}

TEST(ShellProcessorLoad, LoadIsTheRoundedBusyShareOfTheTicks) {
    EXPECT_EQ(ProcessorLoad::loadPercent({10, 10, 10}, {20, 35, 75}), 35);
    EXPECT_EQ(ProcessorLoad::loadPercent({0, 0, 0}, {1, 1, 1}), 67);
    EXPECT_EQ(ProcessorLoad::loadPercent({5, 5, 5}, {5, 5, 5}), 0) << "no tick passed";
    EXPECT_EQ(ProcessorLoad::loadPercent({50, 50, 50}, {10, 60, 60}), 0) << "counter reset";
}

TEST(ShellProcessorLoad, FailedSampleGivesNothing) {
    int reads = 0;
    const ProcessorLoad::Reader failsSecond = [&reads]() -> std::optional<CpuTicks> {
        if (reads++ == 0) return CpuTicks{1, 1, 1};
        return std::nullopt;
    };
    EXPECT_FALSE(ProcessorLoad::sampleCpuLoad(failsSecond, std::chrono::milliseconds(0)));
    const ProcessorLoad::Reader fails = [] { return std::optional<CpuTicks>(); };
    EXPECT_FALSE(ProcessorLoad::sampleCpuLoad(fails, std::chrono::milliseconds(0)));
    int n = 0;
    const ProcessorLoad::Reader rising = [&n] {
        ++n;
        return std::optional<CpuTicks>(CpuTicks{n * 10ULL, n * 10ULL, n * 20ULL});
    };
    EXPECT_EQ(ProcessorLoad::sampleCpuLoad(rising, std::chrono::milliseconds(1)), 50);
}

TEST(ShellProcessorSpeed, TextsAndSources) {
    EXPECT_EQ(ProcessorSpeed::speedText(1000000000ULL), "1000 MHz");
    EXPECT_EQ(ProcessorSpeed::speedText(2400000000ULL), "2.4 GHz");
    EXPECT_EQ(ProcessorSpeed::speedText(2400000000ULL, ","), "2,4 GHz");
    EXPECT_EQ(ProcessorSpeed::speedText(5200000000ULL), "5.2 GHz") << "beyond 32 bits of hertz";
    EXPECT_EQ(ProcessorSpeed::cpuCapacityText(0), "CPU: 0 MHz");

    EXPECT_EQ(ProcessorSpeed::readFrequencyHz(fixtureFiles()), 4600000000ULL);
    SystemFiles noCpufreq = fixtureFiles();
    noCpufreq.sysRoot = kFixtures + "/none";
    EXPECT_EQ(ProcessorSpeed::readFrequencyHz(noCpufreq), 3192000000ULL);
    noCpufreq.procRoot = kFixtures + "/none";
    EXPECT_EQ(ProcessorSpeed::readFrequencyHz(noCpufreq), 0u);
}

// --- System summary ----------------------------------------------------------------------------

TEST(ShellSystemInfo, CleansProcessorBrandNames) {
    EXPECT_EQ(SystemInfo::parseBrandName("Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz"),
              "Intel Core i7");
    EXPECT_EQ(SystemInfo::parseBrandName("AMD Ryzen 7 5800X 8-Core Processor"),
              "AMD Ryzen Core Processor");
    EXPECT_EQ(SystemInfo::parseBrandName("Intel(r) Xeon(tm) 2.0 CPU"), "Intel Xeon");
    EXPECT_EQ(SystemInfo::parseBrandName("12th 4 CPU Intel"), "");
    EXPECT_FALSE(SystemInfo::parseBrandName(std::nullopt));
}

TEST(ShellSystemInfo, MemoryTextRoundsDownToWholeUnits) {
    EXPECT_EQ(SystemInfo::memoryText(1073741824ULL), "1 GB RAM");
    EXPECT_EQ(SystemInfo::memoryText(1073741823ULL), "1023 MB RAM");
    EXPECT_EQ(SystemInfo::memoryText(8ULL << 30), "8 GB RAM");
    EXPECT_EQ(SystemInfo::memoryText(3ULL << 29), "1 GB RAM");
}

TEST(ShellSystemInfo, ReadsTheSummaryFromFixtureFiles) {
    SystemInfo info(fixtureFiles());
    const qcore::Dictionary summary = info.systemInformation();
    EXPECT_EQ(summary.at("ProductVersion").toString(), "12 (bookworm)");
    EXPECT_EQ(summary.at("Model Name").toString(), "ThinkPad X1 Carbon Gen 9");
    EXPECT_EQ(summary.at("Processor Name").toString(), "Intel Core i7");
    EXPECT_EQ(summary.at("Memory").toString(), "256 MB RAM") << "two online 128 MiB blocks";
    EXPECT_EQ(info.sysPhysicalMemory(), "268435456");

    EXPECT_EQ(SystemInfo::productVersion(std::nullopt, "6.1.0"), "6.1.0");
    EXPECT_EQ(SystemInfo::productVersion("VERSION_ID='24.04'\n", "6.1.0"), "24.04");
    EXPECT_EQ(SystemInfo::brandFromCpuinfo("Hardware\t: BCM2835\n"), "BCM2835");
}

// --- Size texts --------------------------------------------------------------------------------

TEST(ShellSizeText, DrivesStepByThousandsMemoryByKibibytes) {
    EXPECT_EQ(SizeText::forDrive(0), "0 bytes");
    EXPECT_EQ(SizeText::forDrive(999), "999.00 bytes");
    EXPECT_EQ(SizeText::forDrive(1000), "1.00 KB");
    EXPECT_EQ(SizeText::forDrive(250000000000ULL), "250.00 GB");
    EXPECT_EQ(SizeText::forMemory(1000), "1000.00 bytes");
    EXPECT_EQ(SizeText::forMemory(1024), "1.00 KB");
    EXPECT_EQ(SizeText::forMemory(0), "0 bytes");
}

TEST(ShellSizeText, HugeSizesStopAtTheLastUnit) {
    EXPECT_EQ(SizeText::forDrive(1000ULL * 1000000000000ULL), "1000.00 TB");
    EXPECT_EQ(SizeText::forDrive(UINT64_MAX), "18446744.07 TB");
    EXPECT_EQ(SizeText::forMemory(2048ULL << 40), "2048.00 TB");
}

// --- Drives ------------------------------------------------------------------------------------

TEST(ShellDiskDrives, ParsesMountsWithEscapesAndOvermounts) {
    const auto mounts =
        DiskDrives::parseMounts(*qcore::FileManager::readFile(kFixtures + "/proc/self/mounts"));
    ASSERT_EQ(mounts.size(), 6u);
    EXPECT_EQ(mounts[2].path, "/media/user/USB Stick");
    EXPECT_EQ(mounts.back().device, "/dev/sdd1") << "the last mount at a path wins";
    EXPECT_EQ(DiskDrives::unescapeLabel("My\\x20Disk"), "My Disk");
}

TEST(ShellDiskDrives, FilterKeepsTheSystemVolumeAndWritableMedia) {
    const auto volume = [](std::string path, std::string name, bool writable) {
        VolumeFacts v;
        v.path = std::move(path);
        v.name = std::move(name);
        v.device = "/dev/sdb1";
        v.fsType = "ext4";
        v.totalBytes = 1000;
        v.writable = writable;
        return v;
    };
    EXPECT_TRUE(DiskDrives::accepts(volume("/", "Computer", false))) << "read-only root stays";
    EXPECT_TRUE(DiskDrives::accepts(volume("/media/u/Stick", "Stick", true)));
    EXPECT_FALSE(DiskDrives::accepts(volume("/media/u/Stick", "Stick", false)));
    EXPECT_FALSE(DiskDrives::accepts(volume("/home", "home", true)));
    EXPECT_FALSE(DiskDrives::accepts(volume("/mnt/x", "Time Machine Backups", true)));
    EXPECT_FALSE(DiskDrives::accepts(volume("/mnt/x", "Installer.dmg", true)));
    VolumeFacts empty = volume("/", "Computer", true);
    empty.totalBytes = 0;
    EXPECT_FALSE(DiskDrives::accepts(empty));
    VolumeFacts loop = volume("/media/u/iso", "iso", true);
    loop.device = "/dev/loop3";
    EXPECT_FALSE(DiskDrives::accepts(loop));
    VolumeFacts share = volume("/mnt/share", "share", true);
    share.fsType = "cifs";
    EXPECT_FALSE(DiskDrives::accepts(share));

    const auto drives = DiskDrives::filterDrives(
        {volume("/media/u/Stick", "Stick", true), volume("/", "Computer", true)});
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].description, "EXT4 Volumes");
    EXPECT_FALSE(drives[1].description);
    EXPECT_EQ(DiskDrives::selectedIndex(drives), 1u);
    EXPECT_EQ(DiskDrives::selectedIndex({drives[0]}), 0u) << "no root: the first";
    EXPECT_FALSE(DiskDrives::selectedIndex({}));
}

TEST(ShellDiskDrives, PanelTexts) {
    Drive d;
    d.name = "Computer";
    d.totalSize = 500000000000ULL;
    d.freeSize = 125000000000ULL;
    const DriveTexts t = DiskDrives::texts(d);
    EXPECT_EQ(t.available, "Available: 125.00 GB");
    EXPECT_EQ(t.total, "Total: 500.00 GB");
    EXPECT_DOUBLE_EQ(t.usedPercent, 75.0);
    d.freeSize = d.totalSize + 1;
    EXPECT_DOUBLE_EQ(DiskDrives::texts(d).usedPercent, 0.0);
    d.totalSize = 0;
    EXPECT_DOUBLE_EQ(DiskDrives::texts(d).usedPercent, 0.0);
}

TEST(ShellDiskDrives, ListsThisMachinesRoot) {
    const auto drives = DiskDrives::getDiskDrives();
    if (drives.empty()) GTEST_SKIP() << "no measurable root file system here";
    EXPECT_TRUE(
        std::any_of(drives.begin(), drives.end(), [](const Drive& d) { return d.path == "/"; }));
}

// --- Top applications --------------------------------------------------------------------------

TEST(ShellTopApplications, RankedByResidentBytesNotByTheirText) {
    std::vector<qcore::RunningApplication> apps(5);
    const std::vector<std::pair<int, std::string>> names{
        {1, "editor"}, {2, "browser"}, {3, "player"}, {4, "self"}, {5, "maker"}};
    for (std::size_t i = 0; i < apps.size(); ++i) {
        apps[i].pid = names[i].first;
        apps[i].name = names[i].second;
    }
    apps[4].bundleIdentifier = "com.Morvane.Varnello.helper";
    const std::map<int, std::uint64_t> resident{
        {1, 512ULL << 20}, {2, 3ULL << 29}, {4, 8ULL << 30}, {5, 9ULL << 30}};
    const auto entries = TopApplications::applicationsUsingSignificantMemory(
        apps,
        [&resident](int pid) -> std::optional<std::uint64_t> {
            const auto it = resident.find(pid);
            if (it == resident.end()) return std::nullopt;
            return it->second;
        },
        4);
    ASSERT_EQ(entries.size(), 2u) << "unreadable, own and maker's applications left out";
    EXPECT_EQ(entries[0].identifier, "browser") << "1.50 GB ranks above 512.00 MB";
    EXPECT_EQ(entries[0].memoryUsed, "1.50 GB");
    EXPECT_EQ(TopApplications::toolTip(entries[1]), "editor using 512.00 MB");
}

TEST(ShellTopApplications, ReadsResidentPagesFromStatm) {
    const auto reader = TopApplications::procResidentReader(kFixtures + "/proc", 4096);
    EXPECT_EQ(reader(4242), 9000ULL * 4096);
    EXPECT_FALSE(reader(1));
    EXPECT_FALSE(TopApplications::parseStatmResidentPages("12"));
}

// --- Chart feed --------------------------------------------------------------------------------

TEST(ShellLoadSeries, GrowsToTwentyTwoPointsThenSlides) {
    LoadSeries series;
    EXPECT_EQ(series.points(), std::vector<double>{0.0});
    EXPECT_EQ(series.yFixedValueMax(), 100);
    for (int i = 0; i < 6; ++i)
        series.updateData(5);
    ASSERT_EQ(series.points().size(), 19u);
    series.updateData(40);
    EXPECT_EQ(series.points().size(), 22u) << "19 grow to 22";
    series.updateData(60);
    ASSERT_EQ(series.points().size(), 22u) << "22 drop three and are back at 22";
    EXPECT_EQ(series.points().back(), 60);
    EXPECT_EQ(series.points().front(), 5);
    EXPECT_EQ(series.yFixedValueMax(), 90);
    EXPECT_EQ(series.lastValue(), 60);
}

TEST(ShellLoadSeries, TopStepsWithTheMaximum) {
    EXPECT_EQ(LoadSeries::yMaxFor(9.99), 10);
    EXPECT_EQ(LoadSeries::yMaxFor(10), 20);
    EXPECT_EQ(LoadSeries::yMaxFor(49.9), 50);
    EXPECT_EQ(LoadSeries::yMaxFor(69.9), 90);
    EXPECT_EQ(LoadSeries::yMaxFor(70), 100);
}

// --- Desktop ---------------------------------------------------------------------------------

TEST(ShellDesktopColorScheme, FirstSourceThatKnowsDecides) {
    EXPECT_TRUE(DesktopColorScheme::isDarkStyleName("DARK"));
    EXPECT_FALSE(DesktopColorScheme::isDarkStyleName("Light"));
    EXPECT_FALSE(DesktopColorScheme::isDarkStyleName(std::nullopt));
    EXPECT_EQ(DesktopColorScheme::fromGtkTheme("Adwaita:dark"), true);
    EXPECT_EQ(DesktopColorScheme::fromGtkTheme("Arc-Dark"), true);
    EXPECT_EQ(DesktopColorScheme::fromGtkTheme("Adwaita"), false);
    EXPECT_EQ(DesktopColorScheme::fromGtkSettings("[Settings]\ngtk-theme-name=Yaru\n"), false);
    EXPECT_FALSE(DesktopColorScheme::fromGtkSettings("[Other]\n"));
    EXPECT_EQ(DesktopColorScheme::fromKdeGlobals(
                  *qcore::FileManager::readFile(kFixtures + "/home/.config/kdeglobals")),
              true);

    const DesktopColorScheme firstAnswerWins({[] { return std::optional<bool>(); },
                                              [] { return std::optional<bool>(false); },
                                              [] { return std::optional<bool>(true); }});
    EXPECT_FALSE(firstAnswerWins.isDark());
    EXPECT_FALSE(DesktopColorScheme({}).isDark());
}

// Each source the desktop offers decides on its own, and the desktop's settings come before
// a light application palette, which Qt keeps light under a dark GTK theme.
TEST(ShellDesktopColorScheme, EachDesktopSourceIsReadBeforeThePalette) {
    ScratchFolder scratch;
    const std::string home = scratch.path();
    const auto paletteLight = [] { return std::optional<bool>(false); };
    const auto dark = [&](std::optional<std::string> gtkTheme) {
        return DesktopColorScheme::forDesktop(home, std::move(gtkTheme), paletteLight).isDark();
    };
    EXPECT_FALSE(dark(std::nullopt)) << "nothing set: the palette decides";
    EXPECT_TRUE(dark("Adwaita:dark"));
    EXPECT_TRUE(dark("Yaru-dark"));

    scratch.file(".config/kdeglobals", "[Colors:Window]\nBackgroundNormal=35,38,41\n");
    EXPECT_TRUE(dark(std::nullopt)) << "KDE's window background";
    scratch.file(".config/gtk-3.0/settings.ini", "[Settings]\ngtk-theme-name=Adwaita\n");
    EXPECT_FALSE(dark(std::nullopt)) << "GTK 3 comes before KDE";
    scratch.file(".config/gtk-3.0/settings.ini",
                 "[Settings]\ngtk-application-prefer-dark-theme=true\n");
    EXPECT_TRUE(dark(std::nullopt));
    scratch.file(".config/gtk-4.0/settings.ini", "[Settings]\ngtk-theme-name=Adwaita\n");
    EXPECT_FALSE(dark(std::nullopt)) << "GTK 4 comes before GTK 3";
    EXPECT_TRUE(dark("Adwaita:dark")) << "GTK_THEME overrides the files, as it does for GTK";
}

TEST(ShellSystemMonitorLauncher, PrefersTheRunningDesktopsMonitor) {
    const auto installed = [](std::set<std::string> paths) {
        return [paths](const std::string& p) { return paths.contains(p); };
    };
    EXPECT_EQ(SystemMonitorLauncher::find(
                  "ubuntu:GNOME", "/usr/local/bin:/usr/bin",
                  installed({"/usr/bin/gnome-system-monitor", "/usr/bin/ksysguard"})),
              "/usr/bin/gnome-system-monitor");
    EXPECT_EQ(
        SystemMonitorLauncher::find(
            "KDE", "/usr/bin", installed({"/usr/bin/gnome-system-monitor", "/usr/bin/ksysguard"})),
        "/usr/bin/ksysguard");
    EXPECT_EQ(SystemMonitorLauncher::find("", "/usr/bin", installed({"/usr/bin/lxtask"})),
              "/usr/bin/lxtask");
    EXPECT_FALSE(SystemMonitorLauncher::find("GNOME", "/usr/bin", installed({})));
    EXPECT_FALSE(SystemMonitorLauncher(std::nullopt).launch());
}

// A malformed escape threw out of the drive list; a huge "cpu MHz" was converted to an integer
// beyond its range; a long mounts table took quadratic time.
TEST(ShellHostileSystemText, MalformedFiguresAreReadWithoutFaults) {
    const auto mounts = DiskDrives::parseMounts("/dev/a /media/x\\999y ext4 rw 0 0\n"
                                                "/dev/b /media/end\\04 ext4 rw 0 0\n"
                                                "/dev/c /media/max\\377 ext4 rw 0 0\n");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].path, "/media/x\\999y");
    EXPECT_EQ(mounts[1].path, "/media/end\\04");
    EXPECT_EQ(mounts[2].path, "/media/max\xff");

    std::string table;
    for (int i = 0; i < 50000; ++i)
        table += "/dev/d /mnt/" + std::to_string(i % 1000) + " ext4 rw 0 0\n";
    const auto overmounted = DiskDrives::parseMounts(table);
    ASSERT_EQ(overmounted.size(), 1000u);
    EXPECT_EQ(overmounted.front().path, "/mnt/0");

    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(ProcessorSpeed::parseCpuinfoMHz("cpu MHz\t: 1e30\n"), kMax / 1000000);
    EXPECT_EQ(ProcessorSpeed::parseCpuinfoMHz("cpu MHz\t: 0.5\ncpu MHz : 2400.9\n"), 2400u);
    EXPECT_EQ(ProcessorSpeed::parseCpufreqKHz("18446744073709551615\n"), kMax / 1000);
}

TEST(ShellHostileSystemText, SystemFilesAreReadThroughLinksButNeverFromDevices) {
    const std::string dir = std::filesystem::temp_directory_path() / "quendrix-facts-links";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/real") << "VERSION=\"12 (bookworm)\"\n";
    std::filesystem::create_symlink(dir + "/real", dir + "/os-release");
    std::filesystem::create_symlink("/dev/zero", dir + "/cpuinfo");
    EXPECT_EQ(SystemFiles::read(dir + "/os-release"), "VERSION=\"12 (bookworm)\"\n");
    EXPECT_FALSE(SystemFiles::read(dir + "/cpuinfo"));
    std::filesystem::remove_all(dir);
}
