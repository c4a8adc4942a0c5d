#pragma once

#include <QPixmap>

// XScatter's 32 x 32 picture: a tiny log-log graph with a falling red and a rising yellow
// curve, used as the window icon and beside the notice.
QPixmap XScatterIcon();
