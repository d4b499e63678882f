#pragma once

#include <QChar>
#include <QString>

namespace kvilbo::cardview {

/// `value` with exactly `decimals` decimals (at least one integer digit), halves rounded away from zero.
QString fixedText(double value, int decimals, QChar separator);

/// `value` in its shortest general form: up to 15 significant digits, exponent form outside 1e-5 .. 1e15.
QString generalText(double value, QChar separator);

} // namespace kvilbo::cardview
