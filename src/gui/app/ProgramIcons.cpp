// The program's icons: desktop theme icons where one fits, our own artwork otherwise.
#include "gui/app/ProgramIcons.h"

#include <QFile>
#include <QString>

// The artwork lives in a static library, where its resources must be registered by hand.
static void RegisterArtwork() { Q_INIT_RESOURCE(quinkle); }

namespace quinkle {
namespace {

QString IconFile(int size, const char* artwork) {
    static const bool registered = (RegisterArtwork(), true);
    (void)registered;
    return QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(artwork));
}

}  // namespace

QIcon ArtworkIcon(const char* artwork) {
    QIcon icon;
    for (int size : {16, 20, 24}) icon.addFile(IconFile(size, artwork), QSize(size, size));
    return icon;
}

bool HasArtwork(const char* artwork) { return QFile::exists(IconFile(24, artwork)); }

QIcon ProgramIcon(const char* themeName, const char* artwork) {
    if (themeName != nullptr && QIcon::hasThemeIcon(QLatin1String(themeName)))
        return QIcon::fromTheme(QLatin1String(themeName));
    return ArtworkIcon(artwork);
}

QPixmap ArtworkPixmap(const char* name) {
    static const bool registered = (RegisterArtwork(), true);
    (void)registered;
    return QPixmap(QStringLiteral(":/artwork/%1.png").arg(QLatin1String(name)));
}

}  // namespace quinkle
