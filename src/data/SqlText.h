#pragma once

#include "platform/vb/Value.h"

#include <QString>

// How values enter the composed SQL texts of the data layer.
namespace sqltext {

// An index value as it stands in a condition: numbers in their plain form with "." as the
// decimal point whatever the session's separator, dates as their day number (the form the
// database holds them in), Booleans as True/False, texts as they are (no quotes).
QString indexValue(const vb::Value& value);

}  // namespace sqltext
