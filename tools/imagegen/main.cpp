// Draws every image of the application into one folder, in one style.
//
//   quendrix-imagegen OUTPUT_DIR
//       writes the PNG files and IMAGES.md (the index) into OUTPUT_DIR
//   quendrix-imagegen --contact-sheet IMAGE_DIR SHEET.png [ZOOM_SHEET.png]
//       tiles every PNG of IMAGE_DIR on grey and white with its name; the
//       optional second sheet shows the small images enlarged four times
//   quendrix-imagegen --preview IMAGE_DIR MOCKUP.png
//       assembles the images into a mock-up of the main window
//
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "images.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    if (args.size() >= 4 && args.at(1) == QStringLiteral("--contact-sheet"))
        return contactSheet(args.at(2), args.at(3), args.size() >= 5 ? args.at(4) : QString());

    if (args.size() == 4 && args.at(1) == QStringLiteral("--preview"))
        return previewSheet(args.at(2), args.at(3));

    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr,
                     "usage: %s OUTPUT_DIR\n"
                     "       %s --contact-sheet IMAGE_DIR SHEET.png [ZOOM_SHEET.png]\n"
                     "       %s --preview IMAGE_DIR MOCKUP.png\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }

    Writer w(args.at(1));
    if (!w.ok())
        return 1;
    makeWindowChrome(w);
    makeButtons(w);
    makePanels(w);
    makeIcons(w);
    makePictures(w);
    if (!w.writeIndex(args.at(1) + QStringLiteral("/IMAGES.md"))) {
        std::fprintf(stderr, "cannot write the index\n");
        return 1;
    }
    std::printf("wrote %d images to %s\n", w.count(), qPrintable(args.at(1)));
    return w.ok() ? 0 : 1;
}
