#include "platform/ui/LimitsText.h"

#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

namespace vb {

QString limitsText(const Value& minimum, const Value& maximum, bool english)
{
    return (english ? QStringLiteral("Numeric value out of preset limits:")
                    : QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:")) +
           vbCrLf + QStringLiteral("Minimum: ") + CStr(minimum) + QStringLiteral(", Maximum: ") + CStr(maximum);
}

}  // namespace vb
