#include "calc/ans_replacement.h"

#include <vector>

namespace {

constexpr std::string_view ANS_NAME = "ans";

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

bool is_lead_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Marks the bytes that are the second half of a double-byte character.
std::vector<bool> trail_bytes_of(std::string_view text) {
    std::vector<bool> trail(text.size(), false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_lead_byte(text[i]) && i + 1 < text.size())
            trail[++i] = true;
    }
    return trail;
}

// A byte classified on its own merits, with trail bytes counting as neither
// letters nor digits.
class byte_classes {
public:
    explicit byte_classes(std::string_view text) : text_(text), trail_(trail_bytes_of(text)) {}

    bool letter(std::size_t i) const { return !trail_[i] && is_ascii_letter(text_[i]); }
    bool digit(std::size_t i) const { return !trail_[i] && is_ascii_digit(text_[i]); }
    bool underscore(std::size_t i) const { return text_[i] == '_'; }
    bool name_char(std::size_t i) const { return letter(i) || digit(i) || underscore(i); }
    bool trail(std::size_t i) const { return trail_[i]; }

private:
    std::string_view text_;
    std::vector<bool> trail_;
};

bool is_ans_at(std::string_view text, std::size_t p) {
    if (p + ANS_NAME.size() > text.size())
        return false;
    for (std::size_t i = 0; i < ANS_NAME.size(); ++i) {
        if (ascii_lower(text[p + i]) != ANS_NAME[i])
            return false;
    }
    return true;
}

enum class occurrence { part_of_name, plain, after_number };

// Decides what the "ans" at position p is, from its neighbours.
occurrence classify(const byte_classes& bytes, std::size_t size, std::size_t p) {
    const std::size_t after = p + ANS_NAME.size();
    if (after < size && bytes.name_char(after))
        return occurrence::part_of_name;
    if (p == 0)
        return occurrence::plain;

    const std::size_t before = p - 1;
    if (bytes.letter(before) || bytes.underscore(before))
        return occurrence::part_of_name;
    if (!bytes.digit(before))
        return occurrence::plain;

    // A digit in front: find where its run of name characters starts. A run
    // starting with a letter or "_" is a name such as x2; else it is a number.
    std::size_t start = before;
    while (start > 0 && bytes.name_char(start - 1))
        --start;
    return bytes.digit(start) ? occurrence::after_number : occurrence::part_of_name;
}

} // namespace

std::string replace_ans(std::string_view expression, std::string_view ans_text) {
    const byte_classes bytes(expression);
    std::string result;
    result.reserve(expression.size());

    std::size_t copied = 0; // expression[0, copied) is already in result
    std::size_t p = 0;
    while (p < expression.size()) {
        if (bytes.trail(p) || !is_ans_at(expression, p)) {
            ++p;
            continue;
        }
        const occurrence kind = classify(bytes, expression.size(), p);
        if (kind != occurrence::part_of_name) {
            result.append(expression.substr(copied, p - copied));
            if (kind == occurrence::after_number)
                result.append("(").append(ans_text).append(")");
            else
                result.append(ans_text);
            copied = p + ANS_NAME.size();
        }
        p += ANS_NAME.size();
    }
    result.append(expression.substr(copied));
    return result;
}
