#include "platform/vb/Value.h"

namespace vb {

bool Value::isNumeric() const
{
    switch (type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
        return true;
    default:
        return false;
    }
}

}  // namespace vb
