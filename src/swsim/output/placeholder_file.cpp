#include "swsim/output/output_files.h"

#include <algorithm>

namespace quorrix::swsim {

namespace {

// Every name is one line of the file, whatever it holds.
std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

std::string renderPlaceholder(
    const std::string& format, const std::string& document, const std::vector<std::string>& items)
{
    std::string out = "QUORRIX SolidWorks stand-in: " + oneLine(format) + " file of "
        + oneLine(document) + "\n";
    for (const std::string& item : items)
        out += oneLine(item) + "\n";
    return out;
}

} // namespace quorrix::swsim
