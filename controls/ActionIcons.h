#pragma once
// The edit and delete icons of the record lists, drawn by the module itself.
#include <QPixmap>

namespace trb {

class ActionIcons {
public:
    static constexpr int kSize = 32;

    // A red disc with a white cross.
    static QPixmap DeleteIcon(int size = kSize);
    // A notepad with a pen lying across it.
    static QPixmap EditIcon(int size = kSize);
};

} // namespace trb
