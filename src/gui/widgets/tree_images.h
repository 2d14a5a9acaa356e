#pragma once

#include <QIcon>

#include "platform/tree_control.h"

namespace folix::gui {

// The nine item images of the book tree, drawn for this program: placeholder, closed folder,
// open folder, editable file, empty folder, other file, the two folders above a search hit and
// the file that is a hit.
QIcon TreeItemIcon(TreeItemImage image);

}  // namespace folix::gui
