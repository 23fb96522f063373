#include "core/component_errors.h"

std::string ComponentMessage(std::string_view componentName, std::string_view text)
{
    std::string msg = "Component \"";
    msg += componentName;
    msg += "\": ";
    msg += text;
    return msg;
}
