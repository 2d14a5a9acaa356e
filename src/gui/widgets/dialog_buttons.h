#pragma once

class QDialog;
class QDialogButtonBox;

namespace folix::gui {

// The program's "OK" and "ｷｬﾝｾﾙ" pair, accepting and rejecting the dialog.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

}  // namespace folix::gui
