// The program's icons: desktop theme icons where one fits, our own artwork otherwise.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quinkle {

/// The icon of the desktop's icon theme called `themeName` (a freedesktop name, may be
/// null), falling back to our own artwork `artwork` (a file in :/icons/20 and :/icons/24).
QIcon ProgramIcon(const char* themeName, const char* artwork);
/// Our own artwork only.
QIcon ArtworkIcon(const char* artwork);
/// Whether our artwork holds an icon of that name.
bool HasArtwork(const char* artwork);

/// The program's own pictures: "splash", "backg" (the dock background) and "quinkle" (the
/// program's logo).
QPixmap ArtworkPixmap(const char* name);

}  // namespace quinkle
