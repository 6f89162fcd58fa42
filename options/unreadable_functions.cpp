#include "options/unreadable_functions.h"

#include "engine/calculator_error.h"
#include "engine/user_function.h"

namespace {

constexpr std::size_t shown_text_bytes = 60;
constexpr std::size_t shown_entries = 10;

bool readable(const std::string& text) {
    cal::user_function parsed;
    try {
        parsed.parse_definition(text);
    } catch (const cal::calculator_error&) {
        return false;
    }
    return true;
}

bool is_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// At most limit bytes of a CP932 text, whole characters only.
std::string cut(const std::string& text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = is_lead_byte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > limit)
            return text.substr(0, end) + "...";
        end += width;
    }
    return text;
}

} // namespace

std::vector<std::size_t> unreadable_function_indexes(const std::vector<std::string>& texts) {
    std::vector<std::size_t> indexes;
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (!texts[index].empty() && !readable(texts[index]))
            indexes.push_back(index);
    }
    return indexes;
}

std::string unreadable_functions_report(const std::vector<std::string>& texts) {
    const std::vector<std::size_t> indexes = unreadable_function_indexes(texts);
    std::string report;
    for (std::size_t shown = 0; shown < indexes.size(); ++shown) {
        if (shown == shown_entries) {
            report += "...\r\n";
            break;
        }
        const std::size_t index = indexes[shown];
        report += "f" + std::to_string(index) + "=" + cut(texts[index], shown_text_bytes) + "\r\n";
    }
    return report;
}
