#include "toolkit/AppIcon.h"

#include <QSize>
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

QIcon appIcon()
{
    loadAppResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/pondera.png"), QSize(64, 64));
    icon.addFile(QStringLiteral(":/pondera-256.png"), QSize(256, 256));
    return icon;
}
