#pragma once
// Numbered controls. Qt widgets have no control ids, so a page that enables or disables
// groups of controls by number gives each of them an id in the dynamic property
// "controlId" (an int) and then switches a whole range at once.
#include <QtGlobal>

class QWidget;

namespace trb {

inline constexpr char kControlIdProperty[] = "controlId";

void SetControlId(QWidget *control, int id);

// Enables (or disables) every descendant widget of `window` whose "controlId" lies in
// firstId..lastId inclusive. Widgets without an id are left alone.
void EnableControlRange(QWidget *window, int firstId, int lastId, bool enable);

} // namespace trb
