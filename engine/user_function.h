#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cal {

// A user-defined function: name(parameters)=definition//description.
struct user_function {
    std::string name;
    std::string definition;
    std::string description;
    std::vector<std::string> parameters;

    // Clears all four fields, then fills them from text; raises
    // calculator_error on a malformed text, its part naming the field at fault.
    void parse_definition(std::string_view text);
};

// The ordered list of user functions of a calculator. Copy-on-write: copies
// share the records; the inner calculator of a user-function call gets a view
// "with entry k removed" that costs no copy of the records.
class user_function_list {
public:
    using value_type = user_function;
    using size_type = std::size_t;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = user_function;
        using difference_type = std::ptrdiff_t;
        using pointer = const user_function*;
        using reference = const user_function&;

        const_iterator() = default;
        reference operator*() const { return list_->items_->functions[index_]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            ++index_;
            skip();
            return *this;
        }
        const_iterator operator++(int) {
            auto old = *this;
            ++*this;
            return old;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.index_ == b.index_;
        }

    private:
        friend class user_function_list;
        const_iterator(const user_function_list* list, std::size_t index) : list_(list), index_(index) {
            skip();
        }
        void skip() {
            while (list_ && index_ < list_->base_size() && list_->is_removed(index_))
                ++index_;
        }
        const user_function_list* list_ = nullptr;
        std::size_t index_ = 0;
    };
    using iterator = const_iterator;

    user_function_list() = default;

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(nullptr, base_size()); }
    size_type size() const { return base_size() - removed_.size(); }
    bool empty() const { return size() == 0; }

    // The index-th visible record (0 <= index < size()).
    const user_function& operator[](size_type index) const { return items_->functions[base_index(index)]; }
    const user_function& at(size_type index) const;

    void push_back(user_function function);
    void clear() {
        items_.reset();
        removed_.clear();
    }

    // A copy of this list with the visible entry k removed (records shared).
    user_function_list without(size_type k) const;

    static constexpr size_type npos = static_cast<size_type>(-1);
    // The visible index of the first function named name (ASCII
    // case-insensitive), or npos. Looked up by name, not by a walk over the
    // list, so that thousands of functions cost nothing per call.
    size_type find(std::string_view name) const;

private:
    // The records and, per name in lower case, the indices of the records of
    // that name, ascending.
    struct store {
        std::vector<user_function> functions;
        std::map<std::string, std::vector<std::size_t>, std::less<>> by_name;
    };
    std::size_t base_size() const { return items_ ? items_->functions.size() : 0; }
    bool is_removed(std::size_t base) const {
        return std::binary_search(removed_.begin(), removed_.end(), base);
    }
    std::size_t base_index(std::size_t visible) const {
        std::size_t base = visible;
        for (auto r : removed_) // sorted ascending
            if (r <= base)
                ++base;
        return base;
    }

    std::shared_ptr<store> items_;
    std::vector<std::size_t> removed_; // base indices hidden from this view, ascending
};

} // namespace cal
