// Pictures of the program's windows, drawn from the SVG resources at the size
// a window shows them, sharp on high-density screens.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace tav::shell {

// Renders the resource `path` (":/pictures/logo.svg") into a transparent
// pixmap of `size` logical pixels. The drawing keeps its proportions and is
// centred in the pixmap. An unknown resource gives an empty transparent pixmap.
QPixmap SvgPixmap(const QString& path, QSize size);

// The natural size of the drawing (its width and height attributes).
QSize SvgSize(const QString& path);

}  // namespace tav::shell
