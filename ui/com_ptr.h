#pragma once
#include <memory>

// A COM interface pointer the holder releases when it goes.
template <typename Interface>
struct com_release {
    void operator()(Interface* object) const {
        if (object)
            object->Release();
    }
};
template <typename Interface>
using com_ptr = std::unique_ptr<Interface, com_release<Interface>>;
