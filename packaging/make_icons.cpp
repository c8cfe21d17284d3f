// zelmora-icons OUTDIR: writes the program's picture as the hicolor theme's
// OUTDIR/NxN/apps/zelmora.png at the sizes menus and docks ask for, so the
// installed icon is the one the window and the About box show.

#include "ui/shell/zelmora_picture.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "uso: zelmora-icons CARPETA\n");
        return 2;
    }
    // Runs during the build, where there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
    {
        const QString size = QString("%1x%1").arg(side);
        const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(size + "/apps");
        if (!QDir().mkpath(folder) || !ZelmoraPicture(side).save(folder + "/zelmora.png"))
        {
            std::fprintf(stderr, "zelmora-icons: no se puede escribir %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
