#include "tools/raw_argument.h"

#include <QString>
#include <algorithm>

std::string RawArgument(const std::vector<std::string>& rawArgs, const std::string& decoded,
                        const std::vector<std::string>& valueOptions) {
    for (size_t i = rawArgs.size(); i-- > 1;) {
        const bool optionValue = std::find(valueOptions.begin(), valueOptions.end(),
                                           rawArgs[i - 1]) != valueOptions.end();
        if (!optionValue && QString::fromLocal8Bit(rawArgs[i].c_str()).toStdString() == decoded) {
            return rawArgs[i];
        }
    }
    return decoded;
}
