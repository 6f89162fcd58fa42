#include "app/function_template.h"

#include <algorithm>

function_template make_function_template(std::string_view name, int arg_count) {
    const int count = std::max(arg_count, 0);
    function_template result;
    result.text.assign(name);
    result.text += '(';
    if (count > 1)
        result.text.append(static_cast<std::size_t>(count - 1), ',');
    result.text += ')';
    result.caret_back = count;
    return result;
}

function_signature user_function_signature(std::string_view text) {
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos)
        return {std::string(text), 0};

    std::size_t close = text.find(')', open + 1);
    if (close == std::string_view::npos)
        close = text.size();
    const std::string_view arguments = text.substr(open + 1, close - open - 1);

    int count = static_cast<int>(std::count(arguments.begin(), arguments.end(), ','));
    if (!arguments.empty())
        ++count;
    return {std::string(text.substr(0, open)), count};
}
