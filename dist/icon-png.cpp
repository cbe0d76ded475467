// Turns the program's XPM icon into the PNG that icon themes want:
//   olvani-icon-png olvani.xpm de.olvani.trainer.png
// Runs at build time; needs no display, only the image formats built into QtGui.

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.xpm ICON.png\n", argv[0]);
        return 2;
    }
    const QString quelle = QString::fromLocal8Bit(argv[1]);
    const QString ziel = QString::fromLocal8Bit(argv[2]);

    QImage bild;
    if (!bild.load(quelle, "XPM")) {
        std::fprintf(stderr, "olvani-icon-png: cannot read %s\n", argv[1]);
        return 1;
    }
    // Keep the transparent background of the XPM ("None").
    bild = bild.convertToFormat(QImage::Format_ARGB32);
    if (!bild.save(ziel, "PNG")) {
        std::fprintf(stderr, "olvani-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
