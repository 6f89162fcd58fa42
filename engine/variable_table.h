#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cal {

// The variables of a calculator: an ordered map from name to
// double, keys compared byte by byte. Copy-on-write: copies share the map
// until one of them changes it, so copying a calculator stays cheap.
class variable_table {
public:
    using map_type = std::map<std::string, double, std::less<>>;
    using const_iterator = map_type::const_iterator;
    using iterator = const_iterator;
    using value_type = map_type::value_type;
    using size_type = std::size_t;

    variable_table() = default;

    const_iterator begin() const { return map().begin(); }
    const_iterator end() const { return map().end(); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    size_type size() const { return map_ ? map_->size() : 0; }
    bool empty() const { return size() == 0; }

    const_iterator find(std::string_view name) const { return map().find(name); }
    bool contains(std::string_view name) const { return map_ && map_->find(name) != map_->end(); }
    size_type count(std::string_view name) const { return contains(name) ? 1 : 0; }
    // The value of an existing entry; std::out_of_range when there is none.
    double at(std::string_view name) const {
        auto it = find(name);
        if (it == end())
            throw std::out_of_range("variable_table::at");
        return it->second;
    }

    // true and the value when the exact name exists, else false and value untouched
    bool get(std::string_view name, double& value) const {
        if (!map_)
            return false;
        auto it = map_->find(name);
        if (it == map_->end())
            return false;
        value = it->second;
        return true;
    }
    // creates the entry or overwrites its value
    void set(std::string_view name, double value) {
        auto& m = writable();
        auto it = m.find(name);
        if (it != m.end())
            it->second = value;
        else
            m.emplace(std::string(name), value);
    }
    // removes the entry; false if there was none
    bool erase(std::string_view name) {
        if (!contains(name))
            return false;
        auto& m = writable();
        m.erase(m.find(name));
        return true;
    }
    void clear() { map_.reset(); }

    friend bool operator==(const variable_table& a, const variable_table& b) {
        return a.map_ == b.map_ || a.map() == b.map();
    }

private:
    const map_type& map() const {
        static const map_type empty_map;
        return map_ ? *map_ : empty_map;
    }
    map_type& writable() {
        if (!map_)
            map_ = std::make_shared<map_type>();
        else if (map_.use_count() > 1)
            map_ = std::make_shared<map_type>(*map_);
        return *map_;
    }

    std::shared_ptr<map_type> map_;
};

} // namespace cal
