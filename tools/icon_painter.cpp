// Draws the program's icons into PNG files at build time: icon_painter <folder> <size>...
// writes <folder>/MIXERICON/mixericon-<size>.png and <folder>/MAINICON/mainicon-<size>.png.
// Sizes are device pixels: a 16-px icon on a screen at twice the density is the 32-px file.
#include "tools/icon_drawing.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

namespace {

bool Write(tools::IconKind kind, const QDir& folder, const char* name, int size) {
    const QString upper = QString::fromLatin1(name).toUpper();
    if (!folder.mkpath(upper)) return false;
    const QString path =
        folder.filePath(QStringLiteral("%1/%2-%3.png").arg(upper, QLatin1String(name)).arg(size));
    if (tools::DrawIcon(kind, size).save(path)) return true;
    std::fprintf(stderr, "icon_painter: could not write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_painter <folder> <size>...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool written = true;
    for (int index = 2; index < argc; ++index) {
        const int size = std::atoi(argv[index]);
        if (size < 16 || size > 256) {
            std::fprintf(stderr, "icon_painter: %s is not a size from 16 to 256\n", argv[index]);
            return 2;
        }
        written = Write(tools::IconKind::mixer, folder, "mixericon", size) && written;
        written = Write(tools::IconKind::card, folder, "mainicon", size) && written;
    }
    return written ? 0 : 1;
}
