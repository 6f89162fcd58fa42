#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/function_template.h"
#include "options/shortcut_key.h"

// What Alt+key inserts in the expression editor: each bound key with the call
// template it stands for, resolved from the settings' bindings so that the
// editor needs to know nothing about settings or the engine's function table.
struct function_key {
    std::int32_t key = 0; // the character pressed together with Alt
    function_template call;
};

using function_key_table = std::vector<function_key>;

// The first binding of a key decides. A user function index without a text,
// or a built-in index outside the table, binds nothing: the key is left out,
// and a later binding of the same key does not take its place.
function_key_table resolve_function_keys(const std::vector<shortcut_key>& bindings,
                                         const std::vector<std::string>& user_function_texts);

// The call a key inserts; nullptr when the key binds nothing.
const function_template* call_for_key(const function_key_table& table, std::int32_t key);
