#pragma once

#include <QString>

// What printf's "%.<decimals>f" writes in the C locale: a point as the decimal separator whatever
// the process locale (Qt sets it from the desktop, where printf would write "1,5"), halves
// rounded as the binary value lies (0.25 gives "0.2"), and every digit of a huge value.
QString fixedDecimal(double value, int decimals);
