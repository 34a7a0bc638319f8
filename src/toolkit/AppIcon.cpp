#include "toolkit/AppIcon.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImageReader>
#include <QString>

// The resources live in a static library: nothing refers to their object
// file, so the linker would drop their registration unless it is asked for.
// Kept out of any namespace, which the registration's declaration needs.
static void loadAppResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(pondera);
        return true;
    }();
    (void)loaded;
}

namespace {

// The picture is a PNG file the build puts in the resources. Read as PNG
// outright: a reader left to find the format loads and asks every image
// plugin first, which costs the start more than the picture itself.
QPixmap readPng(const QString& path)
{
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// Made once per application object, as three windows show them, and let go
// with it, while the pictures still have an application to be let go under.
struct Pictures {
    QPixmap picture = readPng(QStringLiteral(":/pondera.png"));
    // One size only: a window manager gets every size of a window's icon in
    // one property at the window's start, and scales this one well; desktops
    // take the larger sizes from the installed icon theme.
    QIcon icon{picture};
};
Pictures* made = nullptr;

void forgetPictures()
{
    delete made;
    made = nullptr;
}

const Pictures& pictures()
{
    loadAppResources();
    if (!made) {
        made = new Pictures;
        qAddPostRoutine(forgetPictures);
    }
    return *made;
}

} // namespace

QIcon appIcon()
{
    return pictures().icon;
}

QPixmap appPicture()
{
    return pictures().picture;
}
