#pragma once

#include "actions/form.h"

namespace tasa {

// "N.Anual": reads the rate per period (Text3) and the periods (Text2) and
// writes the effective annual rate into Text1.
void Command1_Click(Form& form);

// "N.Mensual": reads the annual rate (Text1) and the periods (Text2) and
// writes the effective rate per period into Text3.
void Command2_Click(Form& form);

// "Borrar": empties Text1, Text2 and Text3, in that order.
void Command4_Click(Form& form);

// On failure each raises a RunTimeError. The output box is written only as
// the very last step, so a failed computation leaves every box as it was.

}  // namespace tasa
