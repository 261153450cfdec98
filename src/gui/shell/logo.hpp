#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarvomen::gui {

// The program's logo, drawn at any size: a globe over a page on a blue tile.
QPixmap tarvomenLogo(int size);
// The program icon, the logo at the usual icon sizes.
QIcon tarvomenIcon();

}  // namespace tarvomen::gui
