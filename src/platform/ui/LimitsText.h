#pragma once

#include "platform/vb/Value.h"
#include "platform/vb/VbLocale.h"

#include <QString>

namespace vb {

// The message for a number outside the limits a box or a column allows, with the limits as
// the session writes numbers.
QString limitsText(const Value& minimum, const Value& maximum, bool english = VbLocale::english());

}  // namespace vb
