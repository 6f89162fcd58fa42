#include "options/hotkey_rule.h"

namespace {

constexpr std::uint32_t FLAG_CONTROL = 0x02;
constexpr std::uint32_t FLAG_ALT = 0x04;
constexpr std::uint32_t KEY_F1 = 0x70;
constexpr std::uint32_t KEY_F24 = 0x87;

} // namespace

hotkey_kind classify_hotkey(std::int32_t hotkey) {
    const auto value = static_cast<std::uint32_t>(hotkey);
    const std::uint32_t key = value & 0xFF;
    const std::uint32_t flags = (value >> 8) & 0xFF;
    if (key == 0)
        return hotkey_kind::none;
    if ((flags & (FLAG_CONTROL | FLAG_ALT)) != 0 || (key >= KEY_F1 && key <= KEY_F24))
        return hotkey_kind::usable;
    return hotkey_kind::needs_modifier;
}
