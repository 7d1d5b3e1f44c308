#pragma once

#include <QString>

namespace varmkalk {

// A number text as the engine reads it: every comma becomes a point, an empty text becomes "0".
QString Decimalfilter(const QString& in_value);

}  // namespace varmkalk
