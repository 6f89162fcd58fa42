#include "app/function_keys.h"

#include <algorithm>

#include "engine/builtin_functions.h"

namespace {

// The call a binding stands for; false when it names no function.
bool resolve_binding(const shortcut_key& binding, const std::vector<std::string>& user_function_texts,
                     function_template& call) {
    std::string name;
    int arg_count = 0;
    if ((binding.code & USER_FUNCTION_FLAG) != 0) {
        const auto index = static_cast<std::size_t>(binding.code & ~USER_FUNCTION_FLAG);
        if (index >= user_function_texts.size())
            return false;
        function_signature signature = user_function_signature(user_function_texts[index]);
        name = std::move(signature.name);
        arg_count = signature.arg_count;
    } else if (!cal::builtin_function_at(binding.code, name, arg_count)) {
        return false;
    }
    call = make_function_template(name, arg_count);
    return true;
}

} // namespace

function_key_table resolve_function_keys(const std::vector<shortcut_key>& bindings,
                                         const std::vector<std::string>& user_function_texts) {
    function_key_table table;
    std::vector<std::int32_t> decided;
    for (const shortcut_key& binding : bindings) {
        if (std::find(decided.begin(), decided.end(), binding.key) != decided.end())
            continue;
        decided.push_back(binding.key);
        function_key entry{binding.key, {}};
        if (resolve_binding(binding, user_function_texts, entry.call))
            table.push_back(std::move(entry));
    }
    return table;
}

const function_template* call_for_key(const function_key_table& table, std::int32_t key) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const function_key& entry) { return entry.key == key; });
    return found == table.end() ? nullptr : &found->call;
}
