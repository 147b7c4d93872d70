// The up-down controls of the plug-in's dialogs, addressed by identifier. Positions and range
// ends travel as 16-bit values, as the control takes them; reading a position also tells
// whether the field beside it held a whole number within the control's range.
#pragma once

#include "common/framework.h"

struct SpinPosition {
  int position;  // the field's number, or the last valid position when it held none
  bool valid;
};

void SetSpinRange(CWnd& dialog, int id, int lower, int upper);
void SetSpinPos(CWnd& dialog, int id, int position);
SpinPosition GetSpinPos(CWnd& dialog, int id);
